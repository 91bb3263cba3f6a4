// A full section table for benchmarks: 100 sections of every kind on 200 node
// slots (the most the phantom-point gap allows), with fillets and phantom points.
#pragma once

// Empties the tables and fills them; the platform must already be set.
void BuildFullTable(int phantomPoints = 0);
