#include "archive/FieldCodec.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {

enum Encoding { ZeroTerminated, LengthPrefixed };

constexpr int kOffset = 3;       // the field sits between other bytes of the record
constexpr char kOther = '\xAA';  // what those other bytes hold

QString readField(Encoding encoding, const QByteArray &record, int capacity)
{
    return encoding == ZeroTerminated ? FieldCodec::getZeroTerminated(record, kOffset, capacity)
                                      : FieldCodec::getLengthPrefixed(record, kOffset, capacity);
}

}  // namespace

class TestFieldCodec : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::scriptEverything(); }

    void store_data()
    {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("field");  // all capacity + 1 bytes, as hex
        QTest::addColumn<QString>("readBack");

        QTest::newRow("zt exact capacity")
            << int(ZeroTerminated) << 5 << "ABCDE" << QByteArray("414243444500") << "ABCDE";
        QTest::newRow("zt over capacity")
            << int(ZeroTerminated) << 5 << "ABCDEFG" << QByteArray("414243444500") << "ABCDE";
        QTest::newRow("zt empty") << int(ZeroTerminated) << 3 << "" << QByteArray("00000000") << "";
        QTest::newRow("zt stored as shown") << int(ZeroTerminated) << 6 << " a b\r\n"
                                            << QByteArray("206120620d0a00") << "a b";
        QTest::newRow("zt yes") << int(ZeroTerminated) << 2 << FieldCodec::yesText() << QByteArray("53ec00")
                                << "S\u00EC";
        QTest::newRow("zt no") << int(ZeroTerminated) << 2 << FieldCodec::noText() << QByteArray("4e6f00") << "No";
        QTest::newRow("zt code page") << int(ZeroTerminated) << 4 << "\u20AC\u00E8\u00C0" << QByteArray("80e8c00000")
                                      << "\u20AC\u00E8\u00C0";
        QTest::newRow("zt outside code page")
            << int(ZeroTerminated) << 3 << "a\u0105b" << QByteArray("613f6200") << "a?b";

        QTest::newRow("lp exact capacity")
            << int(LengthPrefixed) << 5 << "ABCDE" << QByteArray("054142434445") << "ABCDE";
        QTest::newRow("lp over capacity")
            << int(LengthPrefixed) << 5 << "ABCDEFG" << QByteArray("054142434445") << "ABCDE";
        QTest::newRow("lp empty") << int(LengthPrefixed) << 3 << "" << QByteArray("00000000") << "";
        QTest::newRow("lp trimmed before storing") << int(LengthPrefixed) << 6 << "  a b\r\n"
                                                   << QByteArray("03612062000000") << "a b";
        QTest::newRow("lp trimmed before the cut")
            << int(LengthPrefixed) << 3 << " ab cd" << QByteArray("03616220") << "ab";
        QTest::newRow("lp yes") << int(LengthPrefixed) << 2 << FieldCodec::yesText() << QByteArray("0253ec")
                                << "S\u00EC";
        QTest::newRow("lp no") << int(LengthPrefixed) << 2 << FieldCodec::noText() << QByteArray("024e6f") << "No";
        QTest::newRow("lp code page") << int(LengthPrefixed) << 4 << "\u20AC\u00E8\u00C0" << QByteArray("0380e8c000")
                                      << "\u20AC\u00E8\u00C0";
        QTest::newRow("lp outside code page")
            << int(LengthPrefixed) << 3 << "a\u0105b" << QByteArray("03613f62") << "a?b";
    }

    void store()
    {
        QFETCH(int, encoding);
        QFETCH(int, capacity);
        QFETCH(QString, text);
        QFETCH(QByteArray, field);
        QFETCH(QString, readBack);

        // A record that still holds other bytes where the field goes, as an overwrite's buffer does.
        QByteArray record(kOffset + capacity + 1 + kOffset, kOther);
        if (encoding == ZeroTerminated)
            FieldCodec::putZeroTerminated(record, kOffset, capacity, text);
        else
            FieldCodec::putLengthPrefixed(record, kOffset, capacity, text);

        QCOMPARE(record.left(kOffset), QByteArray(kOffset, kOther));
        QCOMPARE(record.mid(kOffset, capacity + 1).toHex(), field);
        QCOMPARE(record.right(kOffset), QByteArray(kOffset, kOther));
        QCOMPARE(readField(Encoding(encoding), record, capacity), readBack);
    }

    // Stored bytes written by anybody: readers take what the field holds and never go beyond it.
    void read_data()
    {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QByteArray>("field");  // capacity 4: five bytes, as hex
        QTest::addColumn<QString>("text");

        QTest::newRow("zt no terminator: all five bytes") << int(ZeroTerminated) << QByteArray("4142434445") << "ABCDE";
        QTest::newRow("zt stops at the first zero") << int(ZeroTerminated) << QByteArray("4100424300") << "A";
        QTest::newRow("zt trimmed") << int(ZeroTerminated) << QByteArray("2041090d00") << "A";
        QTest::newRow("lp bytes after the text ignored") << int(LengthPrefixed) << QByteArray("0241424344") << "AB";
        QTest::newRow("lp trimmed") << int(LengthPrefixed) << QByteArray("04200d410a") << "A";
        QTest::newRow("lp length one over capacity") << int(LengthPrefixed) << QByteArray("0541424344") << "ABCD";
        QTest::newRow("lp length 255") << int(LengthPrefixed) << QByteArray("ff41424344") << "ABCD";
        QTest::newRow("lp code page") << int(LengthPrefixed) << QByteArray("0253ec8081") << "S\u00EC";
    }

    void read()
    {
        QFETCH(int, encoding);
        QFETCH(QByteArray, field);
        QFETCH(QString, text);
        // The field is the last of the record, so a reader that went past it would read past the end.
        const QByteArray record = QByteArray(kOffset, kOther) + QByteArray::fromHex(field);
        QCOMPARE(readField(Encoding(encoding), record, 4), text);
    }

    void fieldOutsideTheRecordIsNeverTouched_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        QTest::newRow("starts past the end") << 20 << 4;
        QTest::newRow("runs past the end") << 12 << 4;
        QTest::newRow("negative offset") << -3 << 4;
        QTest::newRow("negative capacity") << 2 << -5;
    }
    void fieldOutsideTheRecordIsNeverTouched()
    {
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const QByteArray before(16, 'x');
        for (const bool zeroTerminated : {true, false}) {
            QByteArray record = before;
            if (zeroTerminated) {
                FieldCodec::putZeroTerminated(record, offset, capacity, QStringLiteral("abc"));
                QCOMPARE(FieldCodec::getZeroTerminated(record, offset, capacity), QString());
            } else {
                FieldCodec::putLengthPrefixed(record, offset, capacity, QStringLiteral("abc"));
                QCOMPARE(FieldCodec::getLengthPrefixed(record, offset, capacity), QString());
            }
            QCOMPARE(record, before);
        }
    }
};

QTEST_MAIN(TestFieldCodec)
#include "tst_fieldcodec.moc"
