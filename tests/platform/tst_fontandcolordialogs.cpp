// The real font and colour dialogs, in Spanish as the program runs them,
// answered with keys and clicks as a user would. Where a private X display
// can be had, they run on it as on a GNOME desktop, whose platform theme
// (Debian's qt6-gtk-platformtheme) would hand Qt's dialogs over to GTK.
#include "platform/qtfontandcolordialogs.h"
#include "core/storedcolor.h"
#include "support/virtualdisplay.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QLibraryInfo>
#include <QListView>
#include <QPointer>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

using namespace brisquel;

namespace {
// Runs `answer` on the dialog of type D once it is up; a dialog left open is
// closed after a while so that a failing test fails instead of hanging.
// A dialog the desktop draws instead of Qt is never seen: nothing answers.
template<typename D>
void answerWhenShown(const std::function<void(D *)> &answer)
{
    QPointer<QTimer> poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto *box = qobject_cast<D *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer(box);
    });
    poll->start();
    QTimer::singleShot(5000, [poll] {
        delete poll.data();
        if (auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            box->reject();
    });
}

std::optional<TextFont> showFont(const TextFont &current, const std::function<void(QFontDialog *)> &answer,
                                   QFont &opened)
{
    answerWhenShown<QFontDialog>([&opened, answer](QFontDialog *box) {
        opened = box->currentFont();
        answer(box);
    });
    QtFontAndColorDialogs dialogs;
    return dialogs.chooseFont(current);
}

void pressEnter(QWidget *box)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : box, Qt::Key_Return);
}

QStringList buttonTexts(const QWidget *box)
{
    QStringList texts;
    for (const QAbstractButton *button : box->findChildren<QAbstractButton *>()) {
        if (button->isVisible())
            texts << button->text();
    }
    return texts;
}

// The dialog's list whose entries include `entry`.
QListView *listHolding(const QFontDialog *box, const QString &entry)
{
    for (QListView *list : box->findChildren<QListView *>()) {
        if (!list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, entry, 1, Qt::MatchExactly).isEmpty())
            return list;
    }
    return nullptr;
}

void clickEntry(QListView *list, const QString &entry)
{
    const QModelIndex at = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, entry, 1,
                                                Qt::MatchExactly).value(0);
    list->scrollTo(at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(at).center());
}
} // namespace

class TestFontAndColorDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void acceptedUnchangedKeepsTheFont_data();
    void acceptedUnchangedKeepsTheFont();
    void aNewChoiceIsTaken();
    void aNewStyleAndSizeKeepTheName();
    void theColorDialogOpensOnTheColor();

private:
    QTranslator m_spanish;
};

void TestFontAndColorDialogs::initTestCase()
{
    QVERIFY(m_spanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QApplication::installTranslator(&m_spanish);
}

void TestFontAndColorDialogs::acceptedUnchangedKeepsTheFont_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<float>("size");
    QTest::addColumn<bool>("strikeOut");
    QTest::addColumn<bool>("underline");

    QTest::newRow("DejaVu Serif bold") << "DejaVu Serif" << true << false << 12.0f << false << false;
    QTest::newRow("DejaVu Sans struck out") << "DejaVu Sans" << false << false << 10.0f << true << false;
    QTest::newRow("DejaVu Sans bold italic underlined") << "DejaVu Sans" << true << true << 9.0f << false << true;
    QTest::newRow("Arial 8.25, the default") << "Arial" << false << false << 8.25f << false << false;
    QTest::newRow("Arial struck out, underlined") << "Arial" << false << false << 8.25f << true << true;
}

void TestFontAndColorDialogs::acceptedUnchangedKeepsTheFont()
{
    QFETCH(QString, name);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(float, size);
    QFETCH(bool, strikeOut);
    QFETCH(bool, underline);

    const TextFont current{name, bold, italic, size, strikeOut, underline};
    QFont opened;
    QStringList buttons;
    const std::optional<TextFont> chosen = showFont(current, [&buttons](QFontDialog *box) {
        buttons = buttonTexts(box);
        pressEnter(box);
    }, opened);
    QVERIFY2(chosen, "no font dialog of Qt's answered");
    QVERIFY2(buttons.contains(QStringLiteral("&Aceptar")) && buttons.contains(QStringLiteral("&Tachado")),
             qPrintable(buttons.join(QLatin1Char('|'))));
    // It opened on the face in use, not on the family's first style.
    QCOMPARE(opened.bold(), bold);
    QCOMPARE(opened.italic(), italic);
    QCOMPARE(chosen->fontName, name);
    QCOMPARE(chosen->bold, bold);
    QCOMPARE(chosen->italic, italic);
    QCOMPARE(chosen->size, size);
    QCOMPARE(chosen->strikethrough, strikeOut);
    QCOMPARE(chosen->underline, underline);
}

void TestFontAndColorDialogs::aNewChoiceIsTaken()
{
    TextFont current;
    current.fontName = QStringLiteral("Arial");
    current.size = 8.25f;
    QFont opened;
    const std::optional<TextFont> chosen = showFont(current, [](QFontDialog *box) {
        QFont bold(QStringLiteral("DejaVu Serif"), 14);
        bold.setStyleName(QStringLiteral("Bold"));
        bold.setUnderline(true);
        box->setCurrentFont(bold);
        pressEnter(box);
    }, opened);
    QVERIFY(chosen);
    QCOMPARE(chosen->fontName, QStringLiteral("DejaVu Serif"));
    QVERIFY(chosen->bold);
    QCOMPARE(chosen->size, 14.0f);
    QVERIFY(chosen->underline);

    // Cancel gives nothing back.
    QVERIFY(!showFont(*chosen, [](QFontDialog *box) { QTest::keyClick(box, Qt::Key_Escape); }, opened));
    QCOMPARE(opened.family(), QStringLiteral("DejaVu Serif"));
}

// "Arial" is drawn with fontconfig's stand-in: a new style and size on the
// family the dialog showed leave the name the user had.
void TestFontAndColorDialogs::aNewStyleAndSizeKeepTheName()
{
    const TextFont arial{QStringLiteral("Arial"), false, false, 8.25f, false, true};
    QFont opened;
    const std::optional<TextFont> chosen = showFont(arial, [](QFontDialog *box) {
        QListView *styles = listHolding(box, QStringLiteral("Bold"));
        QListView *sizes = listHolding(box, QStringLiteral("14"));
        if (styles == nullptr || sizes == nullptr)
            return;
        clickEntry(styles, QStringLiteral("Bold"));
        clickEntry(sizes, QStringLiteral("14"));
        pressEnter(box);
    }, opened);
    QVERIFY(chosen);
    QCOMPARE(chosen->fontName, QStringLiteral("Arial"));
    QVERIFY(chosen->bold);
    QVERIFY(!chosen->italic);
    QCOMPARE(chosen->size, 14.0f);
    QVERIFY(chosen->underline);
}

void TestFontAndColorDialogs::theColorDialogOpensOnTheColor()
{
    QColor opened;
    QStringList buttons;
    answerWhenShown<QColorDialog>([&](QColorDialog *box) {
        opened = box->currentColor();
        buttons = buttonTexts(box);
        pressEnter(box);
    });
    QtFontAndColorDialogs dialogs;
    const qint32 teal = storedRgb(0, 128, 128);
    QCOMPARE(dialogs.chooseColor(teal), std::optional<qint32>(teal));
    QCOMPARE(opened, QColor(0, 128, 128));
    QVERIFY2(buttons.contains(QStringLiteral("&Aceptar")), qPrintable(buttons.join(QLatin1Char('|'))));
}

int main(int argc, char *argv[])
{
    // A GNOME-like desktop on a display of our own, where there is one; the
    // offscreen platform otherwise.
    VirtualDisplay display;
    if (VirtualDisplay::whyUnavailable().isEmpty() && display.start().isEmpty()) {
        qputenv("DISPLAY", display.name().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    QApplication app(argc, argv);
    TestFontAndColorDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontandcolordialogs.moc"
