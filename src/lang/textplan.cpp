#include "textplan.h"

#include <QDir>

#include "extratexts.h"
#include "languages.h"

namespace orvex {
namespace {

using Kind = ItemUse::Kind;

class TableBuilder {
 public:
  TableBuilder() : table_(kItemsUsedPerBlock + 1) {}

  void caption(int item, const QString& window, const QString& control) {
    add(item, {Kind::Caption, window, control});
  }
  void title(int item, const QString& window) { caption(item, window, {}); }
  // Consecutive items from `first`, one control each.
  void captions(int first, const QString& window, const QStringList& controls) {
    for (const QString& control : controls) caption(first++, window, control);
  }
  // One item shown by several controls.
  void shared(int item, const QString& window, const QStringList& controls) {
    for (const QString& control : controls) caption(item, window, control);
  }
  void tab(int item, int index) { add(item, {Kind::TabCaption, "ConfigQVT", "SSTab1", index}); }
  void path(int item, const QString& control, const QString& suffix) {
    add(item, {Kind::PathCaption, "Report", control, 0, suffix});
  }
  void tableRange(Kind kind, int firstItem, int firstIndex, int count) {
    for (int i = 0; i < count; ++i) add(firstItem + i, {kind, {}, {}, firstIndex + i});
  }
  void kept(int item, Kind kind) { add(item, {kind, {}, {}}); }

  std::vector<std::vector<ItemUse>> take() { return std::move(table_); }

 private:
  void add(int item, ItemUse use) {
    table_.at(static_cast<size_t>(item)).push_back(std::move(use));
  }
  std::vector<std::vector<ItemUse>> table_;
};

void addMainWindowItems(TableBuilder& t) {
  t.title(1, "Presentacion");
  t.tableRange(Kind::Screen, 2, 1, 6);
  t.captions(8, "Presentacion",
             {"labelauto", "labelgen", "labelman", "labeltest", "labelblock", "labeloff",
              "Command2", "Command3", "Command4"});
  t.caption(17, "Presentacion", "Command1");
  t.caption(17, "Idioma", "Command8");
  t.kept(17, Kind::KeptExit);
  t.caption(18, "Presentacion", "Frame1");
  t.tableRange(Kind::Screen, 19, 7, 6);
}

void addMainsTabItems(TableBuilder& t) {
  t.title(25, "ConfigQVT");
  t.captions(26, "ConfigQVT",
             {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6"});
  t.tab(32, 0);
  t.captions(33, "ConfigQVT",
             {"Frame2", "RVNF(1)", "Label7", "RVLIF(1)", "RVLI(12)", "Label8", "RVLSF(1)",
              "RVLS(12)", "Label9", "RFNF(1)", "Label10", "RFLF(1)", "RFL(6)", "Label11", "Frame20",
              "Label31", "Label32", "Label33", "Label34"});
  t.tableRange(Kind::Screen, 52, 13, 1);
  t.captions(53, "ConfigQVT", {"RDRF", "RDR(9)", "Label12", "RIAF", "Label13"});
  t.tab(58, 1);
}

void addStartTabItems(TableBuilder& t) {
  t.captions(59, "ConfigQVT",
             {"Frame100", "M_PRECAL", "MPCM(1)", "MPCM(2)", "MPCM(3)", "Label15", "Frame1",
              "M_ARRANQUE", "M_T_A_M", "Label16", "MTE_A", "Label17", "MNAM", "Label18", "MCA",
              "Label2", "Label1", "MCA_PA"});
  t.shared(77, "ConfigQVT", {"MCAPA", "MCABD", "MCAFA", "MCACW", "MCAPU"});
  t.captions(78, "ConfigQVT", {"MCA_BD", "MCA_FA", "MCA_CW", "MCA_PU", "MCALABIV", "Label14"});
  t.tab(84, 2);
  t.captions(85, "ConfigQVT",
             {"Frame101", "TRRED", "Label22", "Frame6", "Label23", "TPRDG", "Frame4", "TIPPRD(1)",
              "TIPPRD(2)", "Label20", "Frame5", "Label21"});
  t.tab(97, 3);
}

void addAlternatorTabItems(TableBuilder& t) {
  t.captions(98, "ConfigQVT", {"Frame103", "RVNF(0)", "Label26", "Label28", "AVLIF(0)"});
  t.shared(103, "ConfigQVT", {"AVLI(9)", "AVLS(9)", "AFL(9)"});
  t.captions(104, "ConfigQVT",
             {"Label24", "AVLSF(0)", "Label25", "RVNF(2)", "PALAB2", "Label29", "RFLF(0)",
              "Label27", "Frame3", "Label19", "Frame7", "Label42", "Label41", "Label40",
              "Label38"});
  t.tab(119, 4);
}

void addAlarmTabItems(TableBuilder& t) {
  t.captions(120, "ConfigQVT",
             {"Frame200", "Frame201", "Frame202", "Frame203", "Frame204", "Frame205"});
  t.shared(126, "ConfigQVT", {"Frame8", "Frame11", "Frame13", "Frame15", "Frame17"});
  t.shared(127, "ConfigQVT", {"Frame9", "Frame10", "Frame12", "Frame14", "Frame16"});
  const QStringList inputs{"ALARFUE", "ALAROIL", "ALARTEM", "ALAREXT", "ALAROVE"};
  int item = 128;
  for (const QString suffix : {"_PI", "_PT", "_SIR"}) {
    QStringList controls;
    for (const QString& input : inputs) controls.append(input + suffix);
    t.shared(item++, "ConfigQVT", controls);
  }
  t.captions(131, "ConfigQVT",
             {"Label30", "Frame206", "Frame19", "Frame18", "ACCR(1)", "ACCR(2)", "Frame207",
              "TIPSIR(1)", "TIPSIR(2)", "Frame208", "TESCON(1)", "TESCON(2)", "Frame209",
              "Label36"});
}

void addOtherWindowItems(TableBuilder& t) {
  t.title(145, "ConfigCOM");
  t.captions(146, "ConfigCOM",
             {"Frame6", "Frame1", "Frame4", "Frame2", "Frame3", "Salvar", "Cancelar"});
  t.title(153, "GrabQVT");
  t.caption(154, "GrabQVT", "Frame1");
  t.title(155, "GrabFich");
  t.captions(156, "GrabFich", {"Label1", "Label2", "Command1", "Command3", "Command2"});
  t.kept(160, Kind::KeptGrabFichLeave);
  t.title(161, "LoadFich");
  t.captions(162, "LoadFich", {"Label1", "Command1", "Command2"});
  t.kept(164, Kind::KeptLoadFichLeave);
  t.tableRange(Kind::Message, 165, 1, 46);
  t.tableRange(Kind::Report, 211, 1, 47);
  t.captions(258, "Report", {"Frame1", "Command1", "Frame2", "Label6", "Label1", "Label2"});
  t.path(264, "Label3", "Report/Txt");
  t.path(265, "Label4", "Report");
  t.path(266, "Label5", "Report/Doc");
  t.tableRange(Kind::Message, 267, 47, 2);
}

std::vector<std::vector<ItemUse>> buildTable() {
  TableBuilder t;
  addMainWindowItems(t);
  addMainsTabItems(t);
  addStartTabItems(t);
  addAlternatorTabItems(t);
  addAlarmTabItems(t);
  addOtherWindowItems(t);
  return t.take();
}

void applyUse(const ItemUse& use, const QString& item, const QString& programDir,
              LanguageTexts* out) {
  TextTables& tables = out->tables;
  switch (use.kind) {
    case Kind::Caption:
      out->captions.append({use.window, use.control, item});
      tables.screen[0] = item;
      break;
    case Kind::TabCaption:
      out->captions.append({use.window, use.control, item, use.index});
      tables.screen[0] = item;
      break;
    case Kind::PathCaption: {
      const QString text = item + QDir::toNativeSeparators(programDir + use.suffix);
      out->captions.append({use.window, use.control, text});
      tables.screen[0] = text;
      break;
    }
    case Kind::Screen: tables.screen.at(static_cast<size_t>(use.index)) = item; break;
    case Kind::Message: tables.message.at(static_cast<size_t>(use.index)) = item; break;
    case Kind::Report: tables.report.at(static_cast<size_t>(use.index)) = item; break;
    case Kind::KeptExit: tables.exitCaption = item; break;
    case Kind::KeptGrabFichLeave: tables.grabFichLeaveCaption = item; break;
    case Kind::KeptLoadFichLeave: tables.loadFichLeaveCaption = item; break;
  }
}

}  // namespace

const std::vector<std::vector<ItemUse>>& textItemTable() {
  static const std::vector<std::vector<ItemUse>> table = buildTable();
  return table;
}

namespace {

// Captions that the 268 items leave in the design's Spanish: the report's cancel button, the
// parity options, and the comparison's and the frame log's buttons and windows, which came
// later. A text file
// without these extra items keeps the design captions.
void addExtraCaptions(const QStringList& extra, QList<CaptionAssignment>* captions) {
  static const struct {
    int item;
    const char* window;
    const char* control;
  } uses[] = {{extra::ReportCancel, "Report", "Command2"},
              {extra::ParityNone, "ConfigCOM", "ParidadNo"},
              {extra::ParityOdd, "ConfigCOM", "ParidadImpar"},
              {extra::ParityEven, "ConfigCOM", "ParidadPar"},
              {extra::CompareCommand, "ConfigQVT", "Command7"},
              {extra::CompareTitle, "Compara", ""},
              {extra::CompareWith, "Compara", "Frame1"},
              {extra::CompareController, "Compara", "Option1"},
              {extra::CompareFile, "Compara", "Option2"},
              {extra::CompareRun, "Compara", "Command1"},
              {extra::CompareTakeOne, "Compara", "Command2"},
              {extra::CompareTakeAll, "Compara", "Command3"},
              {extra::CompareClose, "Compara", "Command4"},
              {extra::CompareNote, "Compara", "Label1"},
              {extra::LogButton, "ConfigQVT", "Command8"},
              {extra::LogButton, "GrabQVT", "Command1"},
              {extra::LogTitle, "Registro", ""},
              {extra::LogSave, "Registro", "Command1"},
              {extra::LogClose, "Registro", "Command2"},
              {extra::HistoryCommand, "ConfigQVT", "Command9"},
              {extra::HistoryTitle, "Historial", ""},
              {extra::HistoryNote, "Historial", "Label1"},
              {extra::HistoryShowChanges, "Historial", "Command1"},
              {extra::HistoryLoadBefore, "Historial", "Command2"},
              {extra::HistoryClose, "Historial", "Command3"}};
  for (const auto& use : uses) {
    const QString text = extra.value(use.item - 1);
    if (!text.isEmpty()) captions->append({use.window, use.control, text});
  }
}

}  // namespace

LanguageTexts distributeTextItems(const QStringList& items, const QStringList& extra,
                                  const QString& programDir) {
  LanguageTexts out;
  const auto& table = textItemTable();
  const qsizetype count = std::min<qsizetype>(items.size(), kItemsUsedPerBlock);
  for (qsizetype i = 0; i < count; ++i)
    for (const ItemUse& use : table[static_cast<size_t>(i + 1)])
      applyUse(use, items[i], programDir, &out);
  for (qsizetype i = 0; i < extra.size() && i + 1 < qsizetype(out.tables.extra.size()); ++i)
    out.tables.extra[static_cast<size_t>(i + 1)] = extra[i];
  addExtraCaptions(extra, &out.captions);
  return out;
}

}  // namespace orvex
