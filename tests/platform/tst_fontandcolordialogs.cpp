// The real font dialog, in Spanish as the program runs it, answered with
// keys as a user would.
#include "platform/qtfontandcolordialogs.h"

#include <QApplication>
#include <QFontDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

using namespace brisquel;

namespace {
// Runs `answer` on the font dialog once it is up; a dialog left open is
// closed after a while so that a failing test fails instead of hanging.
std::optional<FontChoice> showFont(QtFontAndColorDialogs &dialogs, const FontChoice &current,
                                   const std::function<void(QFontDialog *)> &answer, QFont &opened)
{
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        poll.stop();
        opened = box->currentFont();
        answer(box);
    });
    poll.start();
    QTimer::singleShot(10000, [] {
        if (auto *box = qobject_cast<QFontDialog *>(QApplication::activeModalWidget()))
            box->reject();
    });
    return dialogs.chooseFont(current);
}

void pressEnter(QFontDialog *box)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : box, Qt::Key_Return);
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

    QTest::newRow("DejaVu Serif bold") << "DejaVu Serif" << true << false << 12.0f;
    QTest::newRow("DejaVu Sans") << "DejaVu Sans" << false << false << 10.0f;
    QTest::newRow("DejaVu Sans bold italic") << "DejaVu Sans" << true << true << 9.0f;
    QTest::newRow("Arial 8.25, the default") << "Arial" << false << false << 8.25f;
}

void TestFontAndColorDialogs::acceptedUnchangedKeepsTheFont()
{
    QFETCH(QString, name);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(float, size);

    QtFontAndColorDialogs dialogs;
    FontChoice current;
    current.name = name;
    current.bold = bold;
    current.italic = italic;
    current.size = size;
    QFont opened;
    const std::optional<FontChoice> chosen = showFont(dialogs, current, pressEnter, opened);
    QVERIFY(chosen);
    // It opened on the face in use, not on the family's first style.
    QCOMPARE(opened.bold(), bold);
    QCOMPARE(opened.italic(), italic);
    QCOMPARE(chosen->name, name);
    QCOMPARE(chosen->bold, bold);
    QCOMPARE(chosen->italic, italic);
    QCOMPARE(chosen->size, size);
}

void TestFontAndColorDialogs::aNewChoiceIsTaken()
{
    QtFontAndColorDialogs dialogs;
    FontChoice current;
    current.name = QStringLiteral("Arial");
    current.size = 8.25f;
    QFont opened;
    const std::optional<FontChoice> chosen = showFont(dialogs, current, [](QFontDialog *box) {
        QFont bold(QStringLiteral("DejaVu Serif"), 14);
        bold.setStyleName(QStringLiteral("Bold"));
        bold.setUnderline(true);
        box->setCurrentFont(bold);
        pressEnter(box);
    }, opened);
    QVERIFY(chosen);
    QCOMPARE(chosen->name, QStringLiteral("DejaVu Serif"));
    QVERIFY(chosen->bold);
    QCOMPARE(chosen->size, 14.0f);
    QVERIFY(chosen->underline);

    // Cancel gives nothing back.
    QVERIFY(!showFont(dialogs, *chosen, [](QFontDialog *box) { QTest::keyClick(box, Qt::Key_Escape); }, opened));
    QCOMPARE(opened.family(), QStringLiteral("DejaVu Serif"));
}

QTEST_MAIN(TestFontAndColorDialogs)
#include "tst_fontandcolordialogs.moc"
