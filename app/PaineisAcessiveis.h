#pragma once

// Makes screen readers take a plain frame that holds controls (the window's bottom panel) for the
// panel it is. Qt exposes a QFrame with a border as a "frame", the role of a top-level window, and
// a screen reader such as Orca then takes it for a window of its own that is never active and
// ignores focus moves inside it. Installed once; harmless to call again.
void registrarPaineisParaLeitoresDeTela();
