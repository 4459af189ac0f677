#pragma once

#include <initializer_list>

class QComboBox;
class SeletorDeData;

// A picker whose date goes to the report: its end of the range ("inicial" or "final") and the
// combo of its row, which names the row.
struct DataAConferir {
    SeletorDeData* seletor;
    const char* ponta;
    const QComboBox* linha;
};

// What is sent is what each picker shows, a two-digit year written out first. The pickers are
// checked in order: the first whose text is not a whole date is named in a warning, by its end
// of the range and its row as the row's combo shows it, gets the focus with its first section
// selected, and false is returned. Otherwise each picker's date is set from its text, and true is
// returned.
bool datasConferidas(std::initializer_list<DataAConferir> datas);
