// Placeholder until the elimination engine lands: the missing-data bits.
#include "database/ZAVDoc.h"

void CZAVDoc::UpdateMissingDataBits() {}
