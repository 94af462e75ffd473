#include "ui/MessageFormat.h"

namespace qm {

QString FormatMessage(const QString& format, const QStringList& arguments) {
  QString result;
  qsizetype next = 0;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    const QChar following = i + 1 < format.size() ? format[i + 1] : QChar();
    if (c == u'%' && following == u's') {
      result += arguments.value(next++);
      ++i;
    } else if (c == u'%' && following == u'%') {
      result += u'%';
      ++i;
    } else {
      result += c;
    }
  }
  return result;
}

} // namespace qm
