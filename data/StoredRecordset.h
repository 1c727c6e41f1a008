#pragma once
// A statement's rows read to the end and kept, then given back as a recordset: for rows
// read on one thread and used on another, after the statement is done.
#include <vector>

#include "Recordset.h"

namespace tally::data {

class StoredRecordset : public Recordset {
public:
    // Reads `source` from its current row to its end; throws what reading it throws.
    explicit StoredRecordset(Recordset& source);

protected:
    bool fetchRow(std::vector<Value>& row) override;

private:
    std::vector<std::vector<Value>> rows_;
    std::size_t next_ = 0;
};

}  // namespace tally::data
