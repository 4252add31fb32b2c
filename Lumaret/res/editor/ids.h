// Resource ids of the editor subsystem.
#pragma once
