#include "log/CallFileStem.h"

namespace velm {

QString CallFileStem(const QString& call)
{
    qsizetype length = 0;
    for (const QChar c : call) {
        const char16_t u = c.unicode();
        // Only plain ASCII: the stem ends up in a file name on every platform.
        const bool isStemChar = (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z');
        if (!isStemChar)
            break;
        ++length;
    }
    if (length == 0)
        return QStringLiteral("YourCall");
    return call.left(length);
}

} // namespace velm
