#include "accessibletext.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

namespace brisquel {

void describeControl(QWidget &control, const QString &name, const QString &description)
{
    control.setAccessibleName(name);
    control.setAccessibleDescription(description);
    for (QWidget *part : control.findChildren<QWidget *>()) {
        if (auto *bar = qobject_cast<QScrollBar *>(part)) {
            const QString direction = bar->orientation() == Qt::Vertical ? QStringLiteral("vertical")
                                                                         : QStringLiteral("horizontal");
            bar->setAccessibleName(QStringLiteral("%1: desplazamiento %2").arg(name, direction));
            bar->setAccessibleDescription(QStringLiteral("Desplaza el contenido de «%1»").arg(name));
        } else if (qobject_cast<QLineEdit *>(part) || qobject_cast<QAbstractScrollArea *>(part)) {
            part->setAccessibleName(name);
            part->setAccessibleDescription(description);
        }
    }
}

QString spokenCaption(const QString &caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        spoken += caption[i];
    }
    return spoken;
}

} // namespace brisquel
