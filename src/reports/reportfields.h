#pragma once
#include <QString>

// The customer and the site typed for a report, kept for the next one in confrep.sys in the
// program directory, as the other settings are kept: two lines (customer, site), Windows-1252
// with CR LF, saved atomically.
namespace orvex {

struct ReportFields {
  QString customer;
  QString site;
  bool operator==(const ReportFields&) const = default;
};

inline constexpr char kReportFieldsFile[] = "confrep.sys";
inline constexpr int kReportFieldLongest = 200;  // characters kept of each

// Empty fields when the file is missing or unreadable: both are optional.
ReportFields readReportFields(const QString& programDir);
// Rewrites the file only when the fields differ from the kept ones.
bool keepReportFields(const QString& programDir, const ReportFields& fields, QString* error);
// Characters of the fields that the file cannot hold (Windows-1252); empty when none.
QString unstorableReportCharacters(const ReportFields& fields);

}  // namespace orvex
