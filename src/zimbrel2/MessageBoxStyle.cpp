#include "zimbrel2/MessageBoxStyle.h"

using namespace Qt::StringLiterals;

MessageBoxStyle MessageBoxStyle::decode(int style)
{
    MessageBoxStyle decoded;
    decoded.style = style;
    using namespace MsgAnswer;
    switch (style & 0x7) {
    case MsgStyle::OkCancel:
        decoded.buttons = {Ok, Cancel};
        break;
    case MsgStyle::AbortRetryIgnore:
        decoded.buttons = {Abort, Retry, Ignore};
        break;
    case MsgStyle::YesNoCancel:
        decoded.buttons = {Yes, No, Cancel};
        break;
    case MsgStyle::YesNo:
        decoded.buttons = {Yes, No};
        break;
    case MsgStyle::RetryCancel:
        decoded.buttons = {Retry, Cancel};
        break;
    default:
        decoded.buttons = {Ok};
        break;
    }
    switch (style & 0x70) {
    case MsgStyle::Critical:
        decoded.icon = Icon::Critical;
        break;
    case MsgStyle::Question:
        decoded.icon = Icon::Question;
        break;
    case MsgStyle::Exclamation:
        decoded.icon = Icon::Exclamation;
        break;
    case MsgStyle::Information:
        decoded.icon = Icon::Information;
        break;
    default:
        decoded.icon = Icon::None;
        break;
    }
    const int defaultIndex = (style & 0x300) >> 8;
    decoded.defaultIndex = defaultIndex < decoded.buttons.size() ? defaultIndex : 0;
    return decoded;
}

int MessageBoxStyle::escapeAnswer() const
{
    for (int answer : {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Abort}) {
        if (offers(answer))
            return answer;
    }
    return MsgAnswer::Ok;
}

QString MessageBoxStyle::buttonCaption(int answer)
{
    switch (answer) {
    case MsgAnswer::Ok:
        return u"Aceptar"_s;
    case MsgAnswer::Cancel:
        return u"Cancelar"_s;
    case MsgAnswer::Abort:
        return u"Anular"_s;
    case MsgAnswer::Retry:
        return u"Reintentar"_s;
    case MsgAnswer::Ignore:
        return u"Omitir"_s;
    case MsgAnswer::Yes:
        return u"Sí"_s;
    case MsgAnswer::No:
        return u"No"_s;
    default:
        return QString();
    }
}
