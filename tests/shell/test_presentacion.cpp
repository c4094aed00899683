#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "shell/frontpanel.h"
#include "shell/frontpaneldemo.h"
#include "shell/presentacion.h"
#include "shell/register.h"
#include "shell/startup.h"
#include "support/servicesfixture.h"

using namespace orvex;
using namespace orvex::test;

namespace {

QString bits(const auto& lamps) {
  QString s;
  for (bool on : lamps) s += on ? '1' : '0';
  return s;
}

}  // namespace

class TestPresentacion : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    fx_ = std::make_unique<ServicesFixture>("/tmp/");
    for (int i = 1; i <= 13; ++i)
      fx_->context.texts.screen[size_t(i)] = QStringLiteral("screen %1").arg(i);
    registerShellWindows(fx_->services);
    main_ = fx_->windows.get<Presentacion>("Presentacion");
    QVERIFY(main_);
    destroyed_.clear();
  }
  void cleanup() { fx_.reset(); }
  void exitSequenceUnloadsInOrder() {
    for (const char* name :
         {"Report", "ConfigQVT", "ConfigCOM", "GrabQVT", "GrabFich", "Idioma", "LoadFich"})
      addPlainWindow(name);
    connect(main_, &QObject::destroyed, this, [this] { destroyed_.append("Presentacion"); });
    main_->setExitHandler([this] { unloadWhenIdle(fx_->services); });
    QSignalSpy announced(&fx_->events, &AppEvents::aboutToUnload);
    main_->onTimer1Tick();  // generator shown when the user leaves
    click("Command2");      // the settings, owned by the main window, still go in their turn
    emit fx_->events.serialSettingsClosed();

    click("Command1");
    QCOMPARE(running(), QString("0111"));
    QVERIFY(shown("labeloff") && !shown("labelgen") && !shown("ledmode(1)"));
    QVERIFY(shown("Line21"));  // pointer lines stay as they were
    QCOMPARE(child<QGroupBox>("informacion")->title(), QString("screen 6"));

    bool lamp = shown("ledoff");
    for (int tick = 1; tick < 20; ++tick) {
      main_->onTimer4Tick();
      QCOMPARE(shown("ledoff"), !lamp);
      lamp = !lamp;
    }
    QCoreApplication::sendPostedEvents();
    QVERIFY(destroyed_.isEmpty() && announced.isEmpty());
    main_->onTimer4Tick();
    QCOMPARE(announced.count(), 1);
    QTRY_COMPARE(destroyed_, (QStringList{"Presentacion", "LoadFich", "Idioma", "GrabFich",
                                          "GrabQVT", "ConfigCOM", "ConfigQVT", "Report"}));
    main_ = nullptr;
  }

  void sequenceTable_data() {
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("lamps");
    const QList<QPair<int, QString>> rows{{0, "1100001"},  {9, "1100001"},  {10, "0100000"},
                                          {12, "0100000"}, {13, "0000000"}, {16, "0010000"},
                                          {18, "0011000"}, {20, "0011100"}, {29, "0011100"},
                                          {30, "0011110"}, {31, "0000000"}, {33, "1000001"},
                                          {35, "1000001"}, {36, "1100001"}, {72, "1100001"}};
    for (const auto& [second, lamps] : rows) QTest::addRow("second %d", second) << second << lamps;
  }
  void sequenceTable() {
    QFETCH(int, second);
    FrontPanelDemo demo;
    for (int i = 0; i < second; ++i) demo.sequenceTick();
    QTEST(bits(demo.state().sequenceLamp), "lamps");
    QCOMPARE(demo.sequenceSecond(), second % 36);
  }
  void alarmTick_data() {
    QTest::addColumn<double>("lit");
    QTest::addColumn<double>("cleared");
    QTest::addColumn<QString>("alarm");  // lamps, screen text
    QTest::newRow("first lamp, other cleared") << 0.0 << 0.99 << "100000 7";
    QTest::newRow("lit lamp cleared again") << 0.5 << 0.5 << "000000 9";
    QTest::newRow("top of range is lamp 4") << 0.999999 << 0.0 << "000010 11";
    QTest::newRow("a stray 1.0 stays in range") << 1.0 << 0.2 << "000010 11";
  }
  void alarmTick() {
    QFETCH(double, lit);
    QFETCH(double, cleared);
    // The demonstration asks two numbers per alarm tick.
    FrontPanelDemo demo(
        [numbers = QList<double>{lit, cleared}, n = 0]() mutable { return numbers.value(n++); });
    demo.alarmTick();
    QTEST(bits(demo.state().alarmLamp) + " " + QString::number(demo.state().alarmScreenText),
          "alarm");
  }

 private:
  template <typename T = QWidget>
  T* child(const QString& name) {
    return main_->findChild<T*>(name);
  }
  QTimer* timer(int n) { return child<QTimer>(QStringLiteral("Timer%1").arg(n)); }
  void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
  bool shown(const QString& name) { return !child(name)->isHidden(); }
  // "1" for each running timer, Timer1 to Timer4.
  QString running() {
    QString bits;
    for (int n = 1; n <= 4; ++n) bits += timer(n)->isActive() ? '1' : '0';
    return bits;
  }
  QWidget* addPlainWindow(const QString& name);

  std::unique_ptr<ServicesFixture> fx_;
  Presentacion* main_ = nullptr;
  QStringList destroyed_;
};

QWidget* TestPresentacion::addPlainWindow(const QString& name) {
  fx_->windows.add(name, [] { return new QWidget; });
  QWidget* window = fx_->windows.window(name);
  connect(window, &QObject::destroyed, this, [this, name] { destroyed_.append(name); });
  return window;
}

QTEST_MAIN(TestPresentacion)
#include "test_presentacion.moc"
