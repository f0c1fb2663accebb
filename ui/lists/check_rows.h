#pragma once
// The rows of a list that holds none of its own (created with LVS_OWNERDATA): their owner keeps
// the data and the check marks, and the list asks for a row only when it draws or reads it.
#include <string>

class CheckRows {
public:
    virtual ~CheckRows() = default;
    virtual std::string Markup(int row) const = 0;
    virtual bool Checked(int row) const = 0;
    virtual void SetChecked(int row, bool checked) = 0;
    virtual void* Data(int row) const = 0;
};
