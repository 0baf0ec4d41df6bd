// A connection of port 1 or 2 run for real on a thread of its own, against the scripted serial
// device and a recording window that stands in for the main frame.
#pragma once

#include "connection_fixture.h"
#include "fakeserial.h"

class EngineTest : public ConnectionTest
{
protected:
    FakeSerial fake;
    FakeSerialDevice& device = fake.AddDevice("\\\\.\\COM1");
};
