#pragma once

#include <QString>

namespace velmora {

// The camera keeps its four-digit security code as one integer: each digit
// in a byte of its own (most significant first), plus this offset. The
// camera's firmware and the viewer must use the same offset, or the code the
// viewer shows will not be the one the camera asks for.
constexpr int SecretCodeOffset = 583;

// The stored integer text to the four digits; empty for 0, a negative
// number, or anything that is not a number.
QString decodeSecret(const QString &stored);

// Four ASCII digits to the stored integer text; empty when the code is not
// exactly four digits.
QString encodeSecret(const QString &code);

} // namespace velmora
