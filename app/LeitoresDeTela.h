#pragma once

// What the filter window does for screen readers (Orca through AT-SPI on Linux, Narrator and
// others through UI Automation on Windows), which name each control from its accessible name,
// role and value.

#include <QString>

class QComboBox;
class QWidget;

// Installed once, before the window's controls are made; harmless to call again:
// - a plain frame that holds controls (the window's bottom panel) is the panel it is. Qt exposes a
//   QFrame with a border as a "frame", the role of a top-level window, and a screen reader such as
//   Orca then takes it for a window of its own that is never active and ignores focus moves
//   inside it;
// - a combo box is named by what it chooses and says which item it shows;
// - the text boxes inside date pickers and editable combos keep their selection changes to
//   themselves: those are the editor's own doing, and were spoken as noise ("Texto não
//   selecionado") when moving between fields and while a date was typed.
void registrarInterfacesParaLeitoresDeTela();

// A row of dates by what its combo shows, or, with the combo's text cleared, by the combo's own
// name ("Data filtrada, linha 1").
QString nomeDaLinha(const QComboBox& data);

// Names one row of dates, whose captions do not tell the rows apart: the combo by what it chooses
// (`nomeDoCombo`), the pickers and the "Qualquer data" box by their row, named after what the
// row's combo shows and named anew when that changes.
void nomearLinhaDeDatas(QComboBox& data, const QString& nomeDoCombo, QWidget& de, QWidget& ate,
                        QWidget& qualquerData);
