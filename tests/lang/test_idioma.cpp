#include <QDir>
#include <QPushButton>
#include <QTest>

#include "common/cp1252.h"
#include "lang/idioma.h"
#include "lang/languages.h"
#include "lang/register.h"
#include "servicesfixture.h"
#include "support/tempprogramdir.h"
#include "textfixture.h"

using namespace orvex;
using namespace orvex::test;

class TestIdioma : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<TempProgramDir>(false);
    dir_->write("textos.sys", fixtureTextFile());
    dir_->write("conflang.sys", "$ENGLISH$\r\n");
    fx_ = std::make_unique<ServicesFixture>(dir_->path());
    fx_->context.languageMarker = "$ENGLISH$";
    registerLanguageWindows(fx_->services);
    idioma_ = fx_->windows.get<Idioma>("Idioma");
    QVERIFY(idioma_);
    idioma_->show();
  }
  void cleanup() {
    fx_.reset();
    dir_.reset();
  }
  void languageButtonSwitchesTextsAndMarks_data() {
    QTest::addColumn<QString>("marker");
    for (const Language& language : languages())
      QTest::newRow(language.buttonName) << QString::fromUtf16(language.marker);
  }
  void languageButtonSwitchesTextsAndMarks() {
    QFETCH(QString, marker);
    const Language* language = languageForMarker(marker);
    QTest::mouseClick(button(language->buttonName), Qt::LeftButton);
    QCOMPARE(fx_->context.languageMarker, marker);
    QCOMPARE(button("Command8")->text(), fixtureItem(language->base, 17));
    QCOMPARE(fx_->context.texts.exitCaption, fixtureItem(language->base, 17));
    for (const Language& other : languages())
      QCOMPARE(isMarked(other.buttonName), &other == language);
    // The language buttons keep their own captions.
    QCOMPARE(button(language->buttonName)->text(), QString::fromUtf16(language->buttonCaption));
  }
  void choosingAloneLeavesTheFileUnchanged() {
    QTest::mouseClick(button("Command6"), Qt::LeftButton);
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    idioma_->close();
    QCOMPARE(dir_->read("conflang.sys"), QByteArray("$ENGLISH$\r\n"));
    QVERIFY(fx_->messages.calls.isEmpty());
  }
  void command8StoresTheChoiceAndHides() {
    QTest::mouseClick(button("Command6"), Qt::LeftButton);
    QTest::mouseClick(button("Command8"), Qt::LeftButton);
    QCOMPARE(dir_->read("conflang.sys"), QByteArray("$FRAN\xC7" "AIS$\r\n"));
    QVERIFY(idioma_->isHidden());
  }
  void command8WriteFailureIsReported() {
    // A folder in the file's place: the file cannot be replaced.
    QFile::remove(dir_->file("conflang.sys"));
    QVERIFY(QDir().mkpath(dir_->file("conflang.sys")));
    QVERIFY(!idioma_->storeChoice());
    QCOMPARE(fx_->messages.calls.size(), 1);
    QCOMPARE(fx_->messages.calls.first().icon, MessageIcon::Exclamation);
    QVERIFY(fx_->messages.calls.first().prompt.contains("conflang.sys"));
    QVERIFY(!idioma_->isHidden());
  }
  void languageWithoutTextsChangesNothing() {
    QFile::remove(dir_->file("textos.sys"));
    idioma_->markLanguage("$ENGLISH$");
    QTest::mouseClick(button("Command4"), Qt::LeftButton);
    QCOMPARE(fx_->messages.calls.size(), 1);
    QCOMPARE(fx_->context.languageMarker, QString("$ENGLISH$"));
    QVERIFY(isMarked("Command3"));
    QVERIFY(!isMarked("Command4"));
    QCOMPARE(button("Command8")->text(), QString("Salir"));
  }

 private:
  QPushButton* button(const char* name) { return idioma_->findChild<QPushButton*>(name); }
  bool isMarked(const char* name) {
    return button(name)->palette().color(QPalette::Button) == QColor(Qt::white);
  }

  std::unique_ptr<TempProgramDir> dir_;
  std::unique_ptr<ServicesFixture> fx_;
  Idioma* idioma_ = nullptr;
};

QTEST_MAIN(TestIdioma)
#include "test_idioma.moc"
