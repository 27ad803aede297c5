#include "runtime/CNimbBaseDataType.h"

#include "runtime/NumberText.h"

void AppendValueText(CWString& out, int32_t value) {
    out.AppendFormat(u"%d", value);
}

void AppendValueText(CWString& out, char16_t value) {
    out.AppendChar(value);
}

void AppendValueText(CWString& out, int64_t value) {
    out.Append(Int64ToText(value));
}

void AppendValueText(CWString& out, float value) {
    out.AppendFloat(value);
}

void AppendValueText(CWString& out, double value) {
    out.AppendDouble(value);
}

void AppendValueText(CWString& out, int16_t value) {
    out.AppendFormat(u"%d", static_cast<int32_t>(value));
}

void AppendValueText(CWString& out, int8_t value) {
    out.AppendFormat(u"%d", static_cast<int32_t>(value));
}
