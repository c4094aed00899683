// The comparison window with the real editor and the real transfers, on the virtual clock;
// the differences alone, worded in every language.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

#include "common/ui/appservices.h"
#include "compare/compara.h"
#include "compare/comparison.h"
#include "compare/register.h"
#include "config/editortable.h"
#include "config/factoryset.h"
#include "config/ui/configqvt.h"
#include "config/ui/optiongroup.h"
#include "files/qvtformat.h"
#include "lang/languages.h"
#include "link/register.h"
#include "link/transferrig.h"
#include "programwindows.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct Rig : LinkBench {
  Rig() : LinkBench(true) {
    registerEditorWindow(services);
    registerLinkWindows(services);
    registerCompareWindows(services);
    const ParameterSet factory = factoryParameterSet();  // the editor's default configuration
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
      if (slot != kModelSlot) instrument.setReg(slot, quint16(factory[slot]));
    editor();  // loads the default configuration into ConfigLeida
    compara()->show();
  }

  ConfigQVT* editor() { return windows.get<ConfigQVT>("ConfigQVT"); }
  Compara* compara() { return windows.get<Compara>("Compara"); }
  template <typename T>
  T* find(const char* name) {
    return compara()->findChild<T*>(name);
  }
  ParameterSet editorSet() {
    editor()->collectParameterSet();
    return context.configEditada;
  }
  void compareWithFile(const QString& file) {
    find<QRadioButton>("Option2")->setChecked(true);
    compara()->hide(), compara()->show();  // the list as the folder is now
    auto* files = find<QListWidget>("File1");
    files->setCurrentItem(files->findItems(file, Qt::MatchExactly).value(0));
    compara()->compare();
  }
  // "name|editor|other" a row, as listed under the tabs' headings.
  QStringList listed() {
    QStringList rows;
    using Rows = QTreeWidgetItemIterator;
    for (Rows it(find<QTreeWidget>("List1"), Rows::NoChildren); *it; ++it)
      rows << (*it)->text(0) + '|' + (*it)->text(2) + '|' + (*it)->text(3);
    return rows;
  }
  void select(const QString& name) {
    auto* list = find<QTreeWidget>("List1");
    list->setCurrentItem(list->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0));
  }
};

EditorWording wording(int base) { return wordingFor(test::deliveredDataDir(), base); }

}  // namespace

class TestCompara : public QObject {
  Q_OBJECT
 private slots:
  void comparesWithTheControllerThenTakesValues() {
    Rig rig;
    const ParameterSet leida = rig.context.configLeida;
    rig.editor()->controls().group("RVN")->select(10);  // 400 V
    rig.editor()->controls().check("MCAPA")->setChecked(true);
    rig.instrument.setReg(63, 12);  // the controller's battery: 12 V
    const ParameterSet edited = rig.editorSet();
    bool heldWhileReading = false;
    rig.clock.after(1'500'000, [&rig, &heldWhileReading] {
      heldWhileReading = !rig.editor()->findChild<QPushButton*>("Command7")->isEnabled() &&
                         !rig.find<QPushButton>("Command1")->isEnabled();
    });
    rig.compara()->compare();
    QVERIFY(heldWhileReading && rig.find<QPushButton>("Command1")->isEnabled());
    QCOMPARE(rig.listed(), (QStringList{u"Nominal Voltage|400 V|230 V"_qs,
                                        u"Oil Pressure – Enabled|ticked|not ticked"_qs,
                                        u"BATTERY – Vbat|10 V|12 V"_qs}));
    QVERIFY(rig.context.configLeida == leida && rig.editorSet() == edited);
    QCOMPARE(rig.messages.shown(), QStringList());

    rig.select("Nominal Voltage");
    rig.find<QPushButton>("Command2")->click();
    QCOMPARE(rig.listed().size(), 2);
    QCOMPARE(rig.editor()->controls().group("RVN")->selected(), 7);
    rig.find<QPushButton>("Command3")->click();
    QCOMPARE(rig.find<QLabel>("Label2")->text(), QString("No differences."));
    ParameterSet controller = leida;
    controller[63] = 12;
    QVERIFY(rig.editorSet() == controller && rig.context.configLeida == leida);
    QCOMPARE(rig.instrument.writesStored(), 0);
  }

  // Every slot with a control belongs to one setting, worded in every language.
  void everySettingOnceInEveryLanguage() {
    const ParameterSet editor = factoryParameterSet();
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
      ParameterSet other = editor;
      other[slot] = static_cast<qint16>(editor[slot] + 1);
      const QList<SettingDifference> found = compareSets(editor, other, wording(kEnglishBase));
      QCOMPARE(found.size(), slot >= 45 && slot <= 47 ? 0 : 1);
      QVERIFY(found.isEmpty() || found[0].slotNumbers.contains(slot));
    }
    ParameterSet everything;  // nothing any control can show
    everything.slot.fill(300);
    for (const Language& language : languages()) {
      const auto found = compareSets(editor, everything, wording(language.base));
      QCOMPARE(found.size(), qsizetype(mappingSteps().size()));
      for (const SettingDifference& d : found) {
        const QString row = QStringList{d.section, d.name, d.editorValue, d.otherValue}.join('|');
        QVERIFY2(!d.section.isEmpty() && !d.name.isEmpty() && !d.editorValue.isEmpty() &&
                     !d.otherShowable && !row.contains("%1"),
                 qPrintable(row));
      }
    }
  }
};

QTEST_MAIN(TestCompara)
#include "test_compara.moc"
