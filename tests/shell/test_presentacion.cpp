#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "../lang/servicesfixture.h"
#include "shell/frontpanel.h"
#include "shell/presentacion.h"
#include "shell/register.h"
#include "shell/startup.h"

using namespace orvex;
using namespace orvex::test;

class TestPresentacion : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void designLayout();
  void initialDemonstration();
  void modeTickMirroredOnControls();
  void alarmTickShowsScreenText();
  void editorStopsAndResumesTheDemonstration();
  void editorMissingKeepsTheDemonstration();
  void serialSettingsDisableTheWindow();
  void languageWindowOpens();
  void exitSequenceUnloadsInOrder();
  void frameCloseRunsTheExitSequenceOnce();
  void frameCloseWhileDisabledDoesNothing();

 private:
  template <typename T = QWidget>
  T* child(const QString& name) { return main_->findChild<T*>(name); }
  QTimer* timer(int n) { return child<QTimer>(QStringLiteral("Timer%1").arg(n)); }
  bool shown(const QString& name) { return !child(name)->isHidden(); }
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

void TestPresentacion::init() {
  fx_ = std::make_unique<ServicesFixture>("/tmp/");
  for (int i = 1; i <= 13; ++i) fx_->context.texts.screen[size_t(i)] = QStringLiteral("screen %1").arg(i);
  registerShellWindows(fx_->services);
  main_ = fx_->windows.get<Presentacion>("Presentacion");
  QVERIFY(main_);
  destroyed_.clear();
}

void TestPresentacion::cleanup() { fx_.reset(); }

void TestPresentacion::designLayout() {
  QCOMPARE(child("Picture1")->geometry(), QRect(40, 44, 317, 317));
  QCOMPARE(child("ledmode(2)")->geometry(), QRect(twips(4030), twips(1770), 11, 11));
  QCOMPARE(child("ledalarm(3)")->geometry().topLeft(), QPoint(twips(1800), twips(3050)));
  QCOMPARE(child("informacion")->geometry(), twipRect(5880, 360, 5655, 4095));
  QCOMPARE(child("Command4")->geometry(), twipRect(5880, 5760, 5655, 1095));
  QCOMPARE(child("Command1")->geometry(), twipRect(5880, 7080, 5655, 1095));
  QCOMPARE(child("Line61")->geometry().top(), twips(3720));
  QCOMPARE(child<QLabel>("alarma")->text(), QString("MENSAJE DE ALARMA"));
  QCOMPARE(child<QGroupBox>("Frame1")->title(), QString("Alarmas"));
  QVERIFY(main_->windowTitle().endsWith("V5.0"));
  QCOMPARE(main_->minimumSize(), main_->maximumSize());
  // Every control lies inside the window.
  for (QWidget* w : main_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    QVERIFY2(main_->rect().contains(w->geometry()), qPrintable(w->objectName()));
}

void TestPresentacion::initialDemonstration() {
  QVERIFY(shown("ledmode(0)"));
  for (int i = 1; i < 5; ++i) QVERIFY(!shown(QStringLiteral("ledmode(%1)").arg(i)));
  QVERIFY(!shown("ledoff"));
  for (int i = 0; i < 7; ++i)
    QCOMPARE(shown(QStringLiteral("ledsecuencia(%1)").arg(i)), i == 0 || i == 1 || i == 6);
  for (int i = 0; i < 6; ++i) QVERIFY(!shown(QStringLiteral("ledalarm(%1)").arg(i)));
  QVERIFY(shown("labelauto") && shown("Line11") && shown("Line12"));
  QVERIFY(!shown("labeloff") && !shown("Line21"));
  const int intervals[] = {10000, 3000, 1000, 200};
  for (int n = 1; n <= 4; ++n) {
    QCOMPARE(timer(n)->interval(), intervals[n - 1]);
    QCOMPARE(timer(n)->isActive(), n != 4);
  }
}

void TestPresentacion::modeTickMirroredOnControls() {
  main_->onTimer1Tick();
  QVERIFY(!shown("ledmode(0)") && shown("ledmode(1)"));
  QVERIFY(!shown("labelauto") && shown("labelgen"));
  QVERIFY(!shown("Line11") && shown("Line21") && shown("Line22"));
  QCOMPARE(child<QGroupBox>("informacion")->title(), QString("screen 2"));
  for (int i = 0; i < 4; ++i) main_->onTimer1Tick();
  QVERIFY(shown("ledoff") && shown("labeloff") && shown("Line62"));
  QCOMPARE(child<QGroupBox>("informacion")->title(), QString("screen 6"));
}

void TestPresentacion::alarmTickShowsScreenText() {
  main_->setRandomSource([] { return 0.45; });  // lamp 2 lit, then cleared
  main_->onTimer2Tick();
  QCOMPARE(child<QLabel>("alarma")->text(), QString("screen 9"));
  QVERIFY(!shown("ledalarm(2)"));
}

void TestPresentacion::editorStopsAndResumesTheDemonstration() {
  QWidget* editor = addPlainWindow("ConfigQVT");
  for (int i = 0; i < 25; ++i) main_->onTimer3Tick();
  main_->onTimer1Tick();
  QTest::mouseClick(child<QPushButton>("Command4"), Qt::LeftButton);
  QVERIFY(!editor->isHidden());
  for (int n = 1; n <= 3; ++n) QVERIFY(!timer(n)->isActive());
  emit fx_->events.editorLeft();
  for (int n = 1; n <= 3; ++n) QVERIFY(timer(n)->isActive());
  QCOMPARE(main_->demo().sequenceSecond(), 25);
  QCOMPARE(main_->demo().modeStep(), 1);
}

void TestPresentacion::editorMissingKeepsTheDemonstration() {
  QTest::mouseClick(child<QPushButton>("Command4"), Qt::LeftButton);
  for (int n = 1; n <= 3; ++n) QVERIFY(timer(n)->isActive());
  QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
  QVERIFY(main_->isEnabled());
}

void TestPresentacion::serialSettingsDisableTheWindow() {
  QWidget* settings = addPlainWindow("ConfigCOM");
  QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
  QVERIFY(!main_->isEnabled());
  QVERIFY(!settings->isHidden());
  for (int n = 1; n <= 3; ++n) QVERIFY(timer(n)->isActive());
  emit fx_->events.serialSettingsClosed();
  QVERIFY(main_->isEnabled());
}

void TestPresentacion::languageWindowOpens() {
  QWidget* language = addPlainWindow("Idioma");
  QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
  QVERIFY(!language->isHidden());
  QVERIFY(main_->isEnabled());
}

void TestPresentacion::exitSequenceUnloadsInOrder() {
  for (const char* name : {"Report", "ConfigQVT", "ConfigCOM", "GrabQVT", "GrabFich", "Idioma", "LoadFich"})
    addPlainWindow(name);
  connect(main_, &QObject::destroyed, this, [this] { destroyed_.append("Presentacion"); });
  main_->setExitHandler([this] { unloadWhenIdle(fx_->services); });
  QSignalSpy announced(&fx_->events, &AppEvents::aboutToUnload);
  main_->onTimer1Tick();  // generator shown when the user leaves

  QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
  QVERIFY(!timer(1)->isActive());
  QVERIFY(timer(2)->isActive() && timer(3)->isActive() && timer(4)->isActive());
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
  QVERIFY(destroyed_.isEmpty());
  QCOMPARE(announced.count(), 0);
  main_->onTimer4Tick();
  QCOMPARE(announced.count(), 1);
  QTRY_COMPARE(destroyed_, (QStringList{"Presentacion", "LoadFich", "Idioma", "GrabFich", "GrabQVT",
                                         "ConfigCOM", "ConfigQVT", "Report"}));
  main_ = nullptr;
}

void TestPresentacion::frameCloseRunsTheExitSequenceOnce() {
  main_->show();
  QVERIFY(!main_->close());
  QVERIFY(main_->isVisible());
  QVERIFY(timer(4)->isActive());
  for (int i = 0; i < 5; ++i) main_->onTimer4Tick();
  QVERIFY(!main_->close());
  QCOMPARE(main_->demo().exitTicks(), 5);
}

void TestPresentacion::frameCloseWhileDisabledDoesNothing() {
  addPlainWindow("ConfigCOM");
  QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
  QVERIFY(!main_->close());
  QVERIFY(!timer(4)->isActive());
  QVERIFY(timer(1)->isActive());
}

QTEST_MAIN(TestPresentacion)
#include "test_presentacion.moc"
