#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "support/servicesfixture.h"
#include "shell/frontpanel.h"
#include "shell/presentacion.h"
#include "shell/register.h"
#include "shell/startup.h"

using namespace orvex;
using namespace orvex::test;

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
  void modeTickMirroredOnControls() {
    main_->onTimer1Tick();
    QCOMPARE(lamps("ledmode", 5), QString("01000"));
    QVERIFY(!shown("labelauto") && shown("labelgen"));
    QVERIFY(!shown("Line11") && shown("Line21") && shown("Line22"));
    QCOMPARE(child<QGroupBox>("informacion")->title(), QString("screen 2"));
    for (int i = 0; i < 4; ++i) main_->onTimer1Tick();
    QVERIFY(shown("ledoff") && shown("labeloff") && shown("Line62"));
    QCOMPARE(child<QGroupBox>("informacion")->title(), QString("screen 6"));
  }
  void alarmTickShowsScreenText() {
    main_->setRandomSource([] { return 0.45; });  // lamp 2 lit, then cleared
    main_->onTimer2Tick();
    QCOMPARE(child<QLabel>("alarma")->text(), QString("screen 9"));
    QVERIFY(!shown("ledalarm(2)"));
    for (QString& text : fx_->context.texts.screen) text.replace("screen", "pantalla");
    emit fx_->events.languageApplied();  // shown at once, with no tick
    QCOMPARE(child<QGroupBox>("informacion")->title() + child<QLabel>("alarma")->text(),
             QString("pantalla 1pantalla 9"));
  }
  void editorStopsAndResumesTheDemonstration() {
    QWidget* editor = addPlainWindow("ConfigQVT");
    for (int i = 0; i < 25; ++i) main_->onTimer3Tick();
    main_->onTimer1Tick();
    click("Command4");
    QVERIFY(!editor->isHidden() && running() == "0000");
    emit fx_->events.editorLeft();
    QCOMPARE(running(), QString("1110"));
    QVERIFY(main_->demo().sequenceSecond() == 25 && main_->demo().modeStep() == 1);
  }
  void serialSettingsDisableTheWindowAndItsClose() {
    QWidget* settings = addPlainWindow("ConfigCOM");
    click("Command2");
    QVERIFY(!main_->isEnabled() && !settings->isHidden());
    QVERIFY(settings->windowType() == Qt::Dialog && settings->parentWidget() == main_ &&
            settings->isEnabled());
    QVERIFY(!main_->close());  // no exit sequence while disabled
    QCOMPARE(running(), QString("1110"));
    emit fx_->events.serialSettingsClosed();
    QVERIFY(main_->isEnabled());
  }
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
  void frameCloseRunsTheExitSequenceOnce() {
    main_->show();
    QVERIFY(!main_->close() && main_->isVisible() && timer(4)->isActive());
    for (int i = 0; i < 5; ++i) main_->onTimer4Tick();
    QVERIFY(!main_->close());
    QCOMPARE(main_->demo().exitTicks(), 5);
  }

 private:
  template <typename T = QWidget>
  T* child(const QString& name) {
    return main_->findChild<T*>(name);
  }
  QTimer* timer(int n) { return child<QTimer>(QStringLiteral("Timer%1").arg(n)); }
  void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
  bool shown(const QString& name) { return !child(name)->isHidden(); }
  // "1" for each shown control of an array, e.g. lamps("ledmode", 5) == "10000".
  QString lamps(const QString& array, int count) {
    QString bits;
    for (int i = 0; i < count; ++i)
      bits += shown(QStringLiteral("%1(%2)").arg(array).arg(i)) ? '1' : '0';
    return bits;
  }
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
