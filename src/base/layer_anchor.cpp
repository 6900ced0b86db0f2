// Keeps every layer library non-empty while its folders are still being filled.
