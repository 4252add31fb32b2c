// Resource ids of the print subsystem.
#pragma once
