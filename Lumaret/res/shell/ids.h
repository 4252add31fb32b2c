// Resource ids of the shell subsystem.
#pragma once
