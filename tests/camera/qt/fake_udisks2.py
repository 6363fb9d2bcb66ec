'''A fake UDisks2 for python3-dbusmock: one system disk and one memory card.

Parameters (JSON): "log", a file that gets one line per call that changes the card;
"mount_point", "type" and "label" of the card; "format_error", a reason Format fails with.
Format refuses a card that is still mounted, as the real service does.
'''
import dbus
import dbusmock

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2'
MAIN_IFACE = 'org.freedesktop.UDisks2.Manager'
SYSTEM_BUS = True

BLOCK = 'org.freedesktop.UDisks2.Block'
FILESYSTEM = 'org.freedesktop.UDisks2.Filesystem'
DEVICES = '/org/freedesktop/UDisks2/block_devices/'


def mount_points(path):
    return dbus.Array([dbus.ByteArray(path.encode() + b'\0')] if path else [], signature='ay')


def add_device(mock, name, mount_point, type_, label, system, methods):
    path = DEVICES + name
    mock.AddObject(path, BLOCK,
                   {'IdType': type_, 'IdLabel': label, 'HintSystem': dbus.Boolean(system)},
                   methods[BLOCK])
    device = dbusmock.get_object(path)
    device.AddProperties(FILESYSTEM, {'MountPoints': mount_points(mount_point)})
    device.AddMethods(FILESYSTEM, methods[FILESYSTEM])
    return path


def load(mock, parameters):
    log = repr(parameters['log'])
    point = parameters['mount_point']
    error = parameters.get('format_error', '')
    note = 'open(%s, "a").write(%%s + "\\n")' % log
    mounted = 'self.Get("%s", "MountPoints")' % FILESYSTEM
    set_points = 'self.Set("%s", "MountPoints", dbus.Array(%%s, signature="ay"))' % FILESYSTEM
    card_methods = {
        FILESYSTEM: [
            ('Unmount', 'a{sv}', '', note % '"Unmount"' + '\n' + set_points % '[]'),
            ('Mount', 'a{sv}', 's',
             note % '"Mount"' + '\n' +
             set_points % ('[dbus.ByteArray(%r)]' % (point.encode() + b'\0')) +
             '\nret = %r' % point),
        ],
        BLOCK: [
            ('Format', 'sa{sv}', '',
             'if len(%s):\n'
             '    raise dbus.exceptions.DBusException("device is mounted",'
             ' name="org.freedesktop.UDisks2.Error.DeviceBusy")\n' % mounted +
             ('raise dbus.exceptions.DBusException(%r, name="org.freedesktop.UDisks2.Error.Failed")\n'
              % error if error else '') +
             note % '"Format " + args[0] + " " + str(args[1].get("label", ""))'),
        ],
    }
    system_methods = {FILESYSTEM: [], BLOCK: []}
    disk = add_device(mock, 'sda2', '/', 'ext4', '', True, system_methods)
    card = add_device(mock, 'sdb1', point, parameters.get('type', 'vfat'),
                      parameters.get('label', ''), False, card_methods)
    mock.AddObject(MAIN_OBJ + '/Manager', MAIN_IFACE, {}, [
        ('GetBlockDevices', 'a{sv}', 'ao',
         'ret = [dbus.ObjectPath(%r), dbus.ObjectPath(%r)]' % (disk, card)),
    ])
