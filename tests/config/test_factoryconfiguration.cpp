#include <QtTest>

#include "config/factoryset.h"
#include "files/qvtformat.h"
#include "support/tempprogramdir.h"

using namespace orvex;

// The delivered default configuration and the editor's factory selection are one set.
class FactoryConfigurationTest : public QObject {
  Q_OBJECT
 private slots:
  void deliveredDefaultIsTheFactorySet();
};

void FactoryConfigurationTest::deliveredDefaultIsTheFactorySet() {
  test::TempProgramDir dir;
  QCOMPARE(dir.read("Default.fil"), QByteArray("FACTORY\r\n"));
  QCOMPARE(dir.read("CONFIG/FACTORY.QVT"), formatQvt(factoryParameterSet()).toLatin1());
  ParameterSet set;
  QString problem;
  QVERIFY2(loadDefaultConfiguration(dir.path(), &set, &problem), qPrintable(problem));
  QCOMPARE(set, factoryParameterSet());
}

QTEST_APPLESS_MAIN(FactoryConfigurationTest)
#include "test_factoryconfiguration.moc"
