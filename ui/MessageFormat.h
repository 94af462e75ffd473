// Fills a message of the message table: each "%s" takes the next argument in
// turn ("%%" is a percent sign); a "%s" past the last argument stays empty.
#pragma once

#include <QString>
#include <QStringList>

namespace qm {

QString FormatMessage(const QString& format, const QStringList& arguments);

} // namespace qm
