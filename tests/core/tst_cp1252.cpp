#include "core/cp1252.h"

#include <QTest>

using namespace brisquel;

class TestCp1252 : public QObject {
    Q_OBJECT

private slots:
    void everyByteComesBack()
    {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString text = decodeCp1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(encodeCp1252(text), all);
    }

    void mapsTheWindowsLetters()
    {
        QCOMPARE(decodeCp1252("\x80\xE1\xF1\xF3\x81\x9D"), QString::fromUtf8("€áñó\u0081\u009D"));
        QCOMPARE(encodeCp1252(QString::fromUtf8("Peña € Ángel óscar")),
                 QByteArray("Pe\xF1" "a \x80 \xC1ngel \xF3scar"));
    }

    void writesWhatItCannotHoldAsQuestionMarks()
    {
        QCOMPARE(encodeCp1252(QString::fromUtf8("a日b😀c\u0100")), QByteArray("a?b?c?"));
        QCOMPARE(encodeCp1252(QString(QChar(0xD800)) + QLatin1Char('x')), QByteArray("?x"));
        QCOMPARE(encodeCp1252(QString(QChar(0x1A))), QByteArray("\x1A"));
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
