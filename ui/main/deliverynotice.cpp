#include "deliverynotice.h"

#include "platform/trayicon.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace brisquel {

namespace {

// A group may fail whole; each click's part of the notice stays small.
constexpr qsizetype kListedFailures = 8;
constexpr int kScreenMargin = 12;
const QString kBlockSeparator = QStringLiteral("\n\n");

// Shown without taking the focus, so typing goes on where it was; once the
// user brings it forward, Esc and Enter close it as they close a message box.
class NoticeWindow final : public QWidget
{
public:
    NoticeWindow()
        : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            close();
            break;
        default:
            QWidget::keyPressEvent(event);
        }
    }
};

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
    DeliveryReport told = report;
    if (m_toldMissingProgram)
        told.missingProgram.clear();
    if (!told.missingProgram.isEmpty())
        m_toldMissingProgram = true;
    return reportLines(told, kListedFailures).join(u'\n');
}

void DeliveryNotice::show(const DeliveryReport &report)
{
    const QString block = textFor(report);
    if (block.isEmpty())
        return;
    // An open window gathers every failure until the user closes it.
    if (m_window == nullptr && showBalloon(block))
        return;
    showWindow(block);
}

void DeliveryNotice::close()
{
    if (m_window != nullptr)
        m_window->close();
}

bool DeliveryNotice::showBalloon(const QString &block)
{
    QStringList blocks = m_balloonFades.hasExpired() ? QStringList() : m_balloonBlocks;
    blocks << block;
    if (!m_tray.showMessage(kTitle, blocks.join(kBlockSeparator)))
        return false;
    m_balloonBlocks = blocks;
    m_balloonFades.setRemainingTime(TrayIcon::kBalloonMs);
    return true;
}

void DeliveryNotice::createWindow()
{
    m_window = new NoticeWindow;
    m_window->setWindowTitle(kTitle);
    m_window->setObjectName(QStringLiteral("deliveryNotice"));
    auto *layout = new QVBoxLayout(m_window);
    auto *title = new QLabel(kTitle, m_window);
    title->setObjectName(QStringLiteral("noticeTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    m_text = new QLabel;
    m_text->setObjectName(QStringLiteral("noticeText"));
    m_text->setTextFormat(Qt::PlainText);
    // Many failing clicks scroll rather than grow past the screen.
    m_scroll = new QScrollArea(m_window);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidget(m_text);
    m_scroll->setWidgetResizable(true);
    layout->addWidget(m_scroll);
    auto *close = new QPushButton(QStringLiteral("Cerrar"), m_window);
    close->setObjectName(QStringLiteral("closeButton"));
    QObject::connect(close, &QPushButton::clicked, m_window, &QWidget::close);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void DeliveryNotice::showWindow(const QString &block)
{
    if (m_window == nullptr) {
        m_windowBlocks.clear();
        createWindow();
    }
    m_windowBlocks << block;
    m_text->setText(m_windowBlocks.join(kBlockSeparator));

    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QSize text = m_text->sizeHint();
    const int scrollBar = text.height() > area.height() / 2 ? m_scroll->verticalScrollBar()->sizeHint().width() : 0;
    m_scroll->setFixedSize(text.width() + scrollBar, qMin(text.height(), area.height() / 2));
    m_window->adjustSize();
    const QSize size = m_window->frameSize().expandedTo(m_window->sizeHint());
    m_window->move(area.right() - size.width() - kScreenMargin, area.bottom() - size.height() - kScreenMargin);
    m_window->show();
    // The newest failure, at the end, in view once the text is laid out.
    QTimer::singleShot(0, m_scroll, [scroll = QPointer<QScrollArea>(m_scroll)] {
        if (scroll)
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    });
}

} // namespace brisquel
