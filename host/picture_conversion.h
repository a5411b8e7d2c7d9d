// The picture requests of ACAPI_Goodies ("CPIC" and "CMPI").
#pragma once

#include "acapi/ac_types.h"

namespace host {

GSErrCode PictureGoodies(GSType code, void* par1, void* par2);

}  // namespace host
