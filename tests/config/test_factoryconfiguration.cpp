#include <QtTest>

#include "config/factoryset.h"
#include "config/parametermapping.h"
#include "files/qvtformat.h"
#include "support/tempprogramdir.h"

using namespace orvex;

// The delivered default configuration and the editor's factory selection are one set.
class FactoryConfigurationTest : public QObject {
  Q_OBJECT
 private slots:
  void deliveredDefaultIsTheFactorySet();
  void deliveredFileIsListStyleWithCrLf();
};

void FactoryConfigurationTest::deliveredDefaultIsTheFactorySet() {
  test::TempProgramDir dir;
  ParameterSet set;
  QString problem;
  QVERIFY2(loadDefaultConfiguration(dir.path(), &set, &problem), qPrintable(problem));
  QCOMPARE(set, factoryParameterSet());
}

void FactoryConfigurationTest::deliveredFileIsListStyleWithCrLf() {
  test::TempProgramDir dir;
  const QByteArray bytes = dir.read("CONFIG/FACTORY.QVT");
  QCOMPARE(bytes, formatQvt(factoryParameterSet()).toLatin1());
  QCOMPARE(bytes.count("\r\n"), 63);
  QVERIFY(bytes.startsWith(" 7 \r\n"));
  QCOMPARE(dir.read("Default.fil"), QByteArray("FACTORY\r\n"));
}

QTEST_APPLESS_MAIN(FactoryConfigurationTest)
#include "test_factoryconfiguration.moc"
