// Resource ids of the templates subsystem.
#pragma once
