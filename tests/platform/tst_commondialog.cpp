// The real font dialog, in Spanish as the program runs it, answered with
// keys as a user would.
#include "platform/qtcommondialog.h"

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
bool showFont(QtCommonDialog &dialog, const std::function<void(QFontDialog *)> &answer, QFont &opened)
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
    return dialog.ShowFont();
}

void pressEnter(QFontDialog *box)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : box, Qt::Key_Return);
}
} // namespace

class TestCommonDialog : public QObject
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

void TestCommonDialog::initTestCase()
{
    QVERIFY(m_spanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QApplication::installTranslator(&m_spanish);
}

void TestCommonDialog::acceptedUnchangedKeepsTheFont_data()
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

void TestCommonDialog::acceptedUnchangedKeepsTheFont()
{
    QFETCH(QString, name);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(float, size);

    QtCommonDialog dialog;
    dialog.FontName = name;
    dialog.FontBold = bold;
    dialog.FontItalic = italic;
    dialog.FontSize = size;
    QFont opened;
    QVERIFY(showFont(dialog, pressEnter, opened));
    // It opened on the face in use, not on the family's first style.
    QCOMPARE(opened.bold(), bold);
    QCOMPARE(opened.italic(), italic);
    QCOMPARE(dialog.FontName, name);
    QCOMPARE(dialog.FontBold, bold);
    QCOMPARE(dialog.FontItalic, italic);
    QCOMPARE(dialog.FontSize, size);
}

void TestCommonDialog::aNewChoiceIsTaken()
{
    QtCommonDialog dialog;
    dialog.FontName = QStringLiteral("Arial");
    dialog.FontSize = 8.25f;
    QFont opened;
    const bool accepted = showFont(dialog, [](QFontDialog *box) {
        QFont bold(QStringLiteral("DejaVu Serif"), 14);
        bold.setStyleName(QStringLiteral("Bold"));
        box->setCurrentFont(bold);
        pressEnter(box);
    }, opened);
    QVERIFY(accepted);
    QCOMPARE(dialog.FontName, QStringLiteral("DejaVu Serif"));
    QVERIFY(dialog.FontBold);
    QCOMPARE(dialog.FontSize, 14.0f);

    // Cancel changes nothing.
    QVERIFY(!showFont(dialog, [](QFontDialog *box) { QTest::keyClick(box, Qt::Key_Escape); }, opened));
    QCOMPARE(dialog.FontName, QStringLiteral("DejaVu Serif"));
}

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
