// The library's one device, made with the XERV1 profile on first use and closed on unload.
#include "device.h"
#include "link_profile.h"

devlink::Device& devlink::this_device() {
  static Device device(xerv1::link_profile());
  return device;
}
