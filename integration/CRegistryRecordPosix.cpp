// Elsewhere than on Windows there is no log file to write: the record keeps its lines for Line.
#include "integration/CRegistryRecord.h"

void CRegistryRecord::Write(const std::string&, const std::vector<std::string>&) const
{
}
