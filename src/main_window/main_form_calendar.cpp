#include "main_window/main_form.h"

void Main_Form::CSCalendar1_Click() {}
