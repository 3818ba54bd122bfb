#include "app/InstanceModule.h"
void ActivatePreviousInstance(platform::Platform&) {}
