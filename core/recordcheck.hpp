// Checks a view-definition record against the dialog template it goes with:
// what the view would skip or miss when it reads the record.
#pragma once
#include <string>
#include <vector>

#include "core/dlgtemplate.hpp"
#include "core/recordmodel.hpp"

namespace ts::core {

// The dialog's fields (its items of any class but "text") and text fields.
struct DialogFields {
    std::vector<std::uint16_t> ids;  // control IDs of the fields, in template order
    unsigned textFields = 0;
};

DialogFields dialog_fields(const DialogTemplate& dialog);

// One message per problem, in record order.
std::vector<std::string> check_record(const RecordModel& record, const DialogFields& fields);

} // namespace ts::core
