// Settings records kept as registry values: one table row per field, naming
// the value and where the field lies in its record. Portable, so the tables
// and the rules around them build and test natively too.
#pragma once
#include <cstddef>
#include <cstdint>

// Paths in settings records are fixed buffers of this many bytes (MAX_PATH),
// stored as REG_SZ; numbers are 32-bit REG_DWORD values.
const size_t kRegPathBytes = 260;

struct RegField {
    const char *name;
    size_t offset;  // of a char[kRegPathBytes] or a uint32_t in the record
};

#define GY_REG_FIELD(Record, field) {#field, offsetof(Record, field)}

inline char *RegStringField(void *record, const RegField &f) { return static_cast<char *>(record) + f.offset; }
inline uint32_t *RegNumberField(void *record, const RegField &f) {
    return reinterpret_cast<uint32_t *>(static_cast<char *>(record) + f.offset);
}
