#pragma once
// Profile (ini file) functions. Section and key names match without regard
// to case; blanks around a value are dropped. A write keeps every other line
// of the file as it was and replaces the file atomically.

// Copies the value (or `defaultValue`) into `buffer`, cut to size - 1
// characters and terminated; returns the number of characters copied.
long GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                              char* buffer, long size, const char* fileName);

// Creates the file, the section or the key as needed and replaces an
// existing value. Returns false when the file could not be written.
bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName);
