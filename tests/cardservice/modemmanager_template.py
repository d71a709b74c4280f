'''A ModemManager for the card service's tests (python3-dbusmock): one modem with
the Modem, Modem3gpp and Messaging interfaces (little beyond what the service reads)
and Sms objects for its messages, steered by tests/support/modem_mock.h.'''

import json

import dbus
import dbus.service
from gi.repository import GLib
from dbusmock import MOCK_IFACE, mockobject

BUS_NAME = 'org.freedesktop.ModemManager1'
MAIN_OBJ = '/org/freedesktop/ModemManager1'
MAIN_IFACE = 'org.freedesktop.ModemManager1'
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

MODEM = MAIN_OBJ + '/Modem/0'
MODEM_IFACE = MAIN_IFACE + '.Modem'
GPP_IFACE = MODEM_IFACE + '.Modem3gpp'
MESSAGING_IFACE = MODEM_IFACE + '.Messaging'
SMS_IFACE = MAIN_IFACE + '.Sms'
FAILED = MAIN_IFACE + '.Error.Core.Failed'


def manager():
    return mockobject.objects[MAIN_OBJ]


def load(mock, _parameters):
    mock.sms_count = 0
    mock.messages = []
    mock.created = []
    mock.send_delay_ms = 0
    mock.send_failures = 0
    mock.send_error = FAILED
    mock.next_reference = 0x1A0
    mock.pending_sends = []
    add_modem(mock)


def add_modem(mock):
    mock.AddObject(MODEM, MODEM_IFACE, {
        'State': dbus.Int32(8),
        'Manufacturer': dbus.String('Example Modems'),
        'OwnNumbers': dbus.Array(['+15550123'], signature='s'),
        'SignalQuality': dbus.Struct((dbus.UInt32(70), dbus.Boolean(True)), signature='ub'),
    }, [])
    modem = mockobject.objects[MODEM]
    modem.AddProperties(GPP_IFACE, {'RegistrationState': dbus.UInt32(1),
                                    'OperatorName': dbus.String('Testnet')})
    modem.AddProperties(MESSAGING_IFACE, {'Messages': dbus.Array([], signature='o')})
    modem.AddMethods(MESSAGING_IFACE, [('List', '', 'ao', list_messages),
                                       ('Create', 'a{sv}', 'o', create),
                                       ('Delete', 'o', '', delete)])
    mock.object_manager_emit_added(MODEM)


def list_messages(_modem):
    return dbus.Array(manager().messages, signature='o')


def add_sms(properties, received):
    mock = manager()
    mock.sms_count += 1
    path = f'{MAIN_OBJ}/SMS/{mock.sms_count}'
    mock.AddObject(path, SMS_IFACE, properties, [])
    sms = mockobject.objects[path]
    sends = dbus.service.method(SMS_IFACE, in_signature='', out_signature='',
                                async_callbacks=('reply', 'error'))(send)
    sms.methods[SMS_IFACE]['Send'] = ('', '', '', sends)
    mock.messages.append(path)
    mockobject.objects[MODEM].EmitSignal(MESSAGING_IFACE, 'Added', 'ob', [path, received])
    return path


def create(_modem, properties):
    manager().created.append({str(k): (bool(v) if isinstance(v, dbus.Boolean) else str(v))
                              for k, v in properties.items()})
    return add_sms({'State': dbus.UInt32(1), 'MessageReference': dbus.UInt32(0)}, False)


def delete(_modem, path):
    mock = manager()
    mock.messages.remove(path)  # an unknown path fails the call
    mock.RemoveObject(path)
    mockobject.objects[MODEM].EmitSignal(MESSAGING_IFACE, 'Deleted', 'o', [path])


def send(sms, reply, error):
    mock = manager()
    entry = {'error': error}

    def finish():
        if entry in mock.pending_sends:
            mock.pending_sends.remove(entry)
            if mock.send_failures > 0:
                mock.send_failures -= 1
                error(dbus.exceptions.DBusException('sending failed', name=mock.send_error))
            else:
                sms.UpdateProperties(SMS_IFACE, {'State': dbus.UInt32(5),
                                                 'MessageReference': dbus.UInt32(mock.next_reference)})
                mock.next_reference += 1
                reply()
        return False

    mock.pending_sends.append(entry)
    GLib.timeout_add(mock.send_delay_ms, finish)


@dbus.service.method(MOCK_IFACE, in_signature='a{sv}', out_signature='o')
def Deliver(self, properties):
    defaults = {'State': dbus.UInt32(3), 'PduType': dbus.UInt32(1),
                'Timestamp': dbus.String('2024-05-06T12:34:56+02')}
    defaults.update(properties)
    return add_sms(defaults, True)


@dbus.service.method(MOCK_IFACE, in_signature='oa{sv}', out_signature='')
def Update(self, path, properties):
    for interface, known in mockobject.objects[path].props.items():
        changed = {k: v for k, v in properties.items() if k in known}
        if changed:
            mockobject.objects[path].UpdateProperties(interface, changed)


@dbus.service.method(MOCK_IFACE, in_signature='uus', out_signature='')
def SetSend(self, delay_ms, failures, error_name):
    self.send_delay_ms = delay_ms
    self.send_failures = failures
    self.send_error = error_name or FAILED


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='')
def RemoveModem(self):
    self.pending_sends = []  # as with a modem pulled out: no answer ever comes
    self.object_manager_emit_removed(MODEM)
    for path in self.messages:
        self.RemoveObject(path)
    self.messages = []
    self.RemoveObject(MODEM)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='')
def AddModem(self):
    add_modem(self)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='s')
def Created(self):
    return json.dumps(self.created)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='u')
def Sending(self):
    return len(self.pending_sends)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='u')
def Held(self):
    return len(self.messages)
