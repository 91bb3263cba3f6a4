// The log listing of every section, shown in the output window.
#pragma once

void ShowLogFile();
