// The program's texts are in code page 936 (GBK).
#pragma once

// A byte in this range starts a two-byte character; its trail byte can be any
// value from 0x40 up, "\" (0x5C) included.
inline bool IsGbkLeadByte(unsigned char value) { return value >= 0x81 && value <= 0xFE; }
