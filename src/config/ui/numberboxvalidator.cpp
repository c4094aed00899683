#include "numberboxvalidator.h"

#include "config/parametermapping.h"

namespace orvex {

QValidator::State NumberBoxValidator::validate(QString& input, int& pos) const {
  (void)pos;
  return isNumberBoxText(input) ? Acceptable : Invalid;
}

}  // namespace orvex
