#pragma once
#include <QValidator>

namespace orvex {

// Number boxes take whole numbers 0..65535 only; an empty box is allowed (it collects as 0).
class NumberBoxValidator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace orvex
