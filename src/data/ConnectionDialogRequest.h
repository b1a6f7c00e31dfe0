#pragma once

#include <QString>

/// The connection dialog as the data layer asks it for connection data. The data layer cannot show
/// the window itself (the window uses the data layer), so start-up installs the real dialog here;
/// without one, asking ends as if the operator cancelled.
class ConnectionDialogRequest
{
public:
    struct Values
    {
        QString dbName;
        QString servidor;
        QString usuario;
        QString password;
        /// 0 SQL Server, greater than 0 Oracle. Engines the server text itself selects (a folder of
        /// SQLite files) come back as 0 with that server text.
        int plataforma = 0;
    };

    virtual ~ConnectionDialogRequest() = default;
    /// Shows the dialog filled with `values`, platform list on its first entry; true when the
    /// operator accepted, with `values` holding what the dialog shows then.
    virtual bool ask(Values& values) = 0;
    /// Hides the dialog if it is still showing.
    virtual void hide() {}
};
