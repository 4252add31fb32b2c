// Resource ids of the calendar subsystem.
#pragma once
