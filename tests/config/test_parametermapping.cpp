// What a number box's text becomes in its byte pair, through the window-free editor (what
// the codes and flags mean is tested with the editor window: its round trip, its reactions
// and its out-of-range message).
#include <QtTest>

#include "config/editormodel.h"
#include "config/editortable.h"
#include "config/factoryset.h"

using namespace orvex;

class ParameterMappingTest : public QObject {
  Q_OBJECT
 private slots:
  // clang-format off
  void collectBytePair_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bytes");  // high low
    QTest::newRow("1000") << "1000" << "3 232";
    QTest::newRow("65535") << "65535" << "255 255";
    QTest::newRow("empty") << "" << "0 0";
    QTest::newRow("half to even down") << "2.5" << "0 2";
    QTest::newRow("negative kept at 0") << "-5" << "0 0";
    QTest::newRow("too large kept at 65535") << "70000" << "255 255";
  }
  // clang-format on
  void collectBytePair() {
    QFETCH(QString, text);
    EditorModel controls;
    showParameterSet(factoryParameterSet(), controls);
    controls.setText("MCAPUVAL", text);
    ParameterSet set;
    collectParameterSet(controls, &set);
    QTEST(QStringLiteral("%1 %2").arg(set[54]).arg(set[55]), "bytes");
  }
};

QTEST_APPLESS_MAIN(ParameterMappingTest)
#include "test_parametermapping.moc"
