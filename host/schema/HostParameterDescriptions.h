#pragma once
// What each parameter field of the host's parameter record is for, in the
// words the parameters window shows beside the field's name.

#include <string_view>
#include <vector>

namespace host::schema {

struct ParameterDescription {
    const char* name;
    const char* description;   // UTF-8
};

// One line per field of parameterDefaults().
const std::vector<ParameterDescription>& parameterDescriptions();

// The field's description; empty for a field not listed (a stored row the
// system does not read).
std::string_view parameterDescription(std::string_view name);

}  // namespace host::schema
