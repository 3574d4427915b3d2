#include "host/values/icalibrationwaitrequest.h"

namespace Base
{
ICalibrationWaitRequest::~ICalibrationWaitRequest() = default;
} // namespace Base
