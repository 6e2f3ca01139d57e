# Sourced: the configuration of a private D-Bus system bus that anyone on it may use, for a printer's or
# avahi-daemon's registrations in the tests and benchmarks.
#
#   write_system_bus_config FILE SOCKET   the bus listens on the Unix socket SOCKET
write_system_bus_config() {
    cat >"$1" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$2</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
}
