#pragma once
class QWidget;
// Shows the special series editor modally (after the busy window, as the start screen does).
void openSonderEditor(QWidget *parent);
