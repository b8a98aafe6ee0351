#include "main_window/main_form.h"

void Main_Form::Command6_Click() {}
void Main_Form::Command7_Click() {}
void Main_Form::Command8_Click() {}
void Main_Form::sortOwnListsByDate() {}
