#ifndef CATALIX_PYTHON_TABLE_H_
#define CATALIX_PYTHON_TABLE_H_

// A table in the making: its columns, in order.

#include <deque>
#include <string>

#include "python/column.h"

class table {
 public:
  // Adds a column; the reference stays valid as more are added.
  column& add(const std::string& name, column::kind type) {
    columns_.emplace_back(name, type);
    return columns_.back();
  }
  std::deque<column>& columns() { return columns_; }

 private:
  std::deque<column> columns_;
};

#endif  // CATALIX_PYTHON_TABLE_H_
