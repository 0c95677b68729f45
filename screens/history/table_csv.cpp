#include "screens/history/table_csv.h"

// Written once the CSV writer is available.
