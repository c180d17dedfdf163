#include "deliverynotice.h"

#include "platform/trayicon.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace brisquel {

namespace {

// A group may fail whole; the notice stays small.
constexpr qsizetype kListedFailures = 8;
constexpr int kScreenMargin = 12;

QString recipientText(const QString &recipient)
{
    return recipient.trimmed().isEmpty() ? QStringLiteral("(destinatario vacío)") : recipient;
}

} // namespace

const QString DeliveryNotice::kTitle = QStringLiteral("Brisquel: mensaje no entregado");

DeliveryNotice::DeliveryNotice(TrayIcon &tray)
    : m_tray(tray)
{
}

DeliveryNotice::~DeliveryNotice()
{
    delete m_window;
}

QString DeliveryNotice::textFor(const DeliveryReport &report)
{
    QStringList lines;
    if (!report.missingProgram.isEmpty() && !m_toldMissingProgram) {
        m_toldMissingProgram = true;
        lines << QStringLiteral("No se encontró el programa %1, que envía los mensajes.").arg(report.missingProgram);
        if (!report.searchedFolders.isEmpty())
            lines << QStringLiteral("Se buscó en: %1").arg(report.searchedFolders.join(QStringLiteral(", ")));
    }
    if (!report.failures.isEmpty()) {
        lines << (report.failures.size() == 1 ? QStringLiteral("No se pudo entregar el mensaje a:")
                                              : QStringLiteral("No se pudo entregar el mensaje a %1 destinatarios:")
                                                    .arg(report.failures.size()));
        for (const DeliveryFailure &failure : report.failures.mid(0, kListedFailures))
            lines << QStringLiteral("%1: %2").arg(recipientText(failure.recipient), failure.reason);
        if (report.failures.size() > kListedFailures)
            lines << QStringLiteral("y %1 más.").arg(report.failures.size() - kListedFailures);
    }
    return lines.join(u'\n');
}

void DeliveryNotice::show(const DeliveryReport &report)
{
    const QString text = textFor(report);
    if (text.isEmpty())
        return;
    if (!m_tray.showMessage(kTitle, text))
        showWindow(text);
}

// A balloon of our own, as Qt draws one for the tray: a window the window
// manager neither decorates nor activates, so the user goes on typing where
// they were. A later notice replaces the text of one still open.
void DeliveryNotice::showWindow(const QString &text)
{
    if (m_window == nullptr) {
        m_window = new QWidget(nullptr, Qt::ToolTip | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
        m_window->setAttribute(Qt::WA_ShowWithoutActivating);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setWindowTitle(kTitle);
        m_window->setObjectName(QStringLiteral("deliveryNotice"));
        auto *layout = new QVBoxLayout(m_window);
        auto *title = new QLabel(kTitle, m_window);
        title->setObjectName(QStringLiteral("noticeTitle"));
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        layout->addWidget(title);
        m_text = new QLabel(m_window);
        m_text->setObjectName(QStringLiteral("noticeText"));
        m_text->setTextFormat(Qt::PlainText);
        layout->addWidget(m_text);
        auto *close = new QPushButton(QStringLiteral("Cerrar"), m_window);
        close->setObjectName(QStringLiteral("closeButton"));
        close->setFocusPolicy(Qt::NoFocus);
        QObject::connect(close, &QPushButton::clicked, m_window, &QWidget::close);
        layout->addWidget(close, 0, Qt::AlignRight);
    }
    m_text->setText(text);
    m_window->adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize size = m_window->frameSize().expandedTo(m_window->sizeHint());
        m_window->move(area.right() - size.width() - kScreenMargin, area.bottom() - size.height() - kScreenMargin);
    }
    m_window->show();
}

} // namespace brisquel
