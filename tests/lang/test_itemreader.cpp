#include <QTest>

#include "lang/itemreader.h"

using orvex::ItemReader;

namespace {
QStringList readAll(const QString& text) {
  ItemReader reader(text);
  QStringList items;
  QString item;
  while (reader.next(&item)) items.append(item);
  return items;
}
}  // namespace

class TestItemReader : public QObject {
  Q_OBJECT
 private slots:
  void readsItems_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("quoted with commas, CR LF") << "\"a, b\"\r\n\"c,d,e\"\r\n"
                                               << QStringList{"a, b", "c,d,e"};
    QTest::newRow("LF line ends") << "\"one\"\n\"two\"\n" << QStringList{"one", "two"};
    QTest::newRow("lone CR line ends") << "\"one\"\r\"two\"\r" << QStringList{"one", "two"};
    QTest::newRow("comma separated on one line")
        << "\"x\",\"y, z\",w" << QStringList{"x", "y, z", "w"};
    QTest::newRow("leading blanks skipped, quoted kept") << "   \"  kept  \"\r\n\t  plain  \r\n"
                                                         << QStringList{"  kept  ", "plain"};
    QTest::newRow("unquoted: ends at comma, trailing blanks dropped")
        << "alpha  , beta\r\n"
        << QStringList{"alpha", "beta"};
    QTest::newRow("empty quoted item") << "\"\"\r\n\"b\"\r\n" << QStringList{"", "b"};
    QTest::newRow("empty item between commas") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("blank lines between items skipped")
        << "\"a\"\r\n\r\n\r\n\"b\"" << QStringList{"a", "b"};
    QTest::newRow("text after closing quote ignored") << "\"a\" junk, \"b\"\r\n"
                                                      << QStringList{"a", "b"};
    QTest::newRow("line end inside quotes kept") << "\"a\r\nb\",c" << QStringList{"a\r\nb", "c"};
    QTest::newRow("unterminated quote runs to end") << "\"a,b" << QStringList{"a,b"};
    QTest::newRow("empty text") << "" << QStringList{};
  }
  void readsItems() {
    QFETCH(QString, text);
    QTEST(readAll(text), "items");
  }
  void skipCountsOnlyExistingItems() {
    ItemReader reader(u"\"1\"\r\n\"2\"\r\n\"3\"\r\n");
    QString item;
    QVERIFY(reader.skip(5) == 3 && !reader.next(&item));
  }
};

QTEST_APPLESS_MAIN(TestItemReader)
#include "test_itemreader.moc"
