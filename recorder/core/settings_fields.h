#pragma once
// Every named field of the settings record as data: name, offset, type and width, in
// record order. vorda-cli's `config show`/`config set` run on this table, and so can any
// other tool that lists or edits fields by name. Reserved and padding bytes have no entry.

#include "core/settings_record.h"

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorda {

enum class FieldType {
    Int32,   // two's-complement 32-bit
    UInt32,  // unsigned 32-bit
    Byte,    // one byte, mostly a 0/1 flag
    Double,  // IEEE 754 binary64
    Text,    // char[width], Windows-1250, NUL-ended
};

struct SettingsField {
    std::string name;    // "portNumber", "channels[3].name", "status.tag"
    std::size_t offset;  // from the start of the record
    FieldType type;
    std::size_t width;  // bytes
};

// All named fields in record order; channel fields for channels 1..16 (slot 0 is unused).
const std::vector<SettingsField>& settingsFields();

// The field of that exact name, or nullptr.
const SettingsField* findSettingsField(std::string_view name);

// The value as text: numbers in decimal as stored, doubles as "%.17g" (always with a '.'
// whatever the locale), texts decoded from Windows-1250 up to their NUL (at most
// width-1 characters).
QString fieldValueText(const Settings& settings, const SettingsField& field);

// Parses `value` for the field's type and stores it; every other byte of the record is
// left as it was, the bytes after a text's NUL included. On refusal the record is
// unchanged and the returned text says why (empty on success): not a number, out of the
// type's range, too long for the field, or not writable in Windows-1250.
QString setFieldValue(Settings& settings, const SettingsField& field, const QString& value);

}  // namespace vorda
