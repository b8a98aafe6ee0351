#include "main_window/main_form.h"

void Main_Form::CurTime1_Alarm() {}
