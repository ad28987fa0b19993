#include "output/ui/OutputMenus.h"

#include "log/ui/Form1.h"

namespace velm {

void connectOutputMenus(Form1&, const Services&)
{
}

} // namespace velm
