// Resource ids of the album subsystem.
#pragma once
