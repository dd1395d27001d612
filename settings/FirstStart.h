#pragma once

class SettingsStore;

// Writes the values every start guarantees: a few always, the rest only where
// the key reads empty.
void writeFirstStartValues(SettingsStore& store);
