#pragma once

#include <QString>
#include <QStringList>

/// The restricted views of users who are not administrators: references to a fixed set of accounting
/// and stock tables are redirected to their "SS_" counterparts, and the "@Admin_" marker with which a
/// caller keeps a reference on the real table is removed. Pure text; every search ignores case.
namespace Sinonimos {

/// The statement as it is sent for a user: administrators, and statements on the accounting lines
/// while the confidentiality setting is off, only lose their "@Admin_" markers; everything else is
/// redirected (`programa`: the running program's executable name, for the exception lists).
QString rewrite(const QString& sql, bool esAdmin, bool confidencialidad, const QString& programa);

/// Every row of the synonym table applied to `sql`, in order, then the markers removed.
QString redirect(const QString& sql, const QString& programa);

/// Programs of the suite that keep the real deposit view even for restricted users.
const QStringList& depositoExceptions();
/// Programs of the suite that keep the real families view even for restricted users.
const QStringList& familiasExceptions();

} // namespace Sinonimos
